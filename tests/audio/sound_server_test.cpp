// SPDX-License-Identifier: GPL-3.0-or-later
// The real players against the sound output of the run: a private sound
// server (TW_EXPECT_SOUND_SERVER=1, started by pulseserver.py) or none at
// all. Either way the game's own effects and tracks play, are cut off, end
// by themselves and are torn down while playing without a fault (the
// sanitizers run these too), and nothing is said on stderr.
#include "audio/fluidmusic.h"
#include "audio/pulsesound.h"
#include "audio/wavefile.h"
#include "realtime.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <csignal>
#include <gtest/gtest.h>

using namespace tw;
using namespace tw::test;

namespace {

bool serverExpected()
{
    return qEnvironmentVariableIntValue("TW_EXPECT_SOUND_SERVER") == 1;
}

// A 16-bit WAVE image of a tone, frames long, with the given header fields.
QByteArray toneWave(int frames, quint16 channels = 1, quint32 rate = 22050, quint16 bits = 16)
{
    QByteArray data(frames * channels * bits / 8, '\0');
    for (qsizetype i = 0; i + 1 < data.size(); i += 2)
        data[i + 1] = char((i / 2) % 40 < 20 ? 0x10 : -0x10);
    auto le32 = [](quint32 v) { return QByteArray(reinterpret_cast<const char *>(&v), 4); };
    auto le16 = [](quint16 v) { return QByteArray(reinterpret_cast<const char *>(&v), 2); };
    const quint16 align = quint16(channels * bits / 8);
    return "RIFF" + le32(quint32(36 + data.size())) + "WAVEfmt " + le32(16) + le16(1) +
           le16(channels) + le32(rate) + le32(rate * align) + le16(align) + le16(bits) + "data" +
           le32(quint32(data.size())) + data;
}

TEST(RealPlayersTest, MusicIsHeardExactlyWhenThereIsAServer)
{
    if (!QFileInfo::exists(QString::fromLatin1(DefaultSoundFont)))
        GTEST_SKIP() << "no General MIDI soundfont";
    if (!serverExpected() && QFileInfo::exists(QStringLiteral("/dev/snd")))
        GTEST_SKIP() << "a sound card may play without a server";
    FluidSynthMusic music;
    EXPECT_EQ(music.waitForSynth(), serverExpected());
}

TEST(RealPlayersTest, EffectsThatEndByThemselvesAreNeverTouchedAgain)
{
    StderrCapture capture;
    {
        PulseSound sound;
        const QByteArray hit = audioResource(QStringLiteral("explos3"));
        const QByteArray blip = toneWave(441); // 20 ms
        ASSERT_FALSE(hit.isEmpty());
        for (int round = 0; round < 3; ++round) {
            sound.play(hit);
            runEventsFor(30);
            sound.play(blip);  // cuts the hit off
            runEventsFor(400); // the blip has ended
            sound.stop();      // nothing left to stop
            sound.play(blip);
            runEventsFor(400);
            sound.play(hit); // nothing left to cut off
        }
        runEventsFor(50);
        // Destroyed while the hit plays.
    }
    runEventsFor(100);
    EXPECT_EQ(capture.text().toStdString(), "");
}

// Plays come from the event loop at every moment of an effect's life: while
// the last one is cut off, while one that ended is let go, and while the
// player itself goes.
TEST(RealPlayersTest, PlaysThatComeWhileAnEffectIsTornDownAreSafe)
{
    StderrCapture capture;
    {
        PulseSound sound;
        QObject queue;
        const QByteArray blip = toneWave(441); // 20 ms
        const auto queuePlay = [&] {
            QMetaObject::invokeMethod(
                &queue, [&] { sound.play(blip); }, Qt::QueuedConnection);
        };
        for (int round = 0; round < 3; ++round) {
            sound.play(blip);
            runEventsFor(5);
            queuePlay();
            sound.play(blip); // cuts the first off
            runEventsFor(30);
            queuePlay();
            sound.stop();
            runEventsFor(300); // what played last has ended and is let go
            for (int i = 0; i < 20; ++i) {
                queuePlay();
                runEventsFor(i);
            }
        }
        queuePlay();
        // Destroyed with a play queued.
    }
    runEventsFor(100);
    EXPECT_EQ(capture.text().toStdString(), "");
}

// Stops the private sound server for as long as it lives, as a server hung
// on a stuck device does.
class FrozenServer
{
public:
    explicit FrozenServer(pid_t pid) : m_pid(pid) { ::kill(m_pid, SIGSTOP); }
    ~FrozenServer() { ::kill(m_pid, SIGCONT); }
    FrozenServer(const FrozenServer &) = delete;
    FrozenServer &operator=(const FrozenServer &) = delete;

private:
    pid_t m_pid;
};

// Whatever the server does, the caller's thread only hands effects over: a
// server that stops answering in the middle of an effect, or before the
// first, holds none of the calls, and the player still goes within its
// teardown limit. Each call is allowed far more than it takes (microseconds)
// so that a busy machine cannot fail it; a call that waited on the server
// would wait for the whole freeze.
TEST(RealPlayersTest, AServerThatStopsAnsweringHoldsNoCall)
{
    const pid_t server = pid_t(qEnvironmentVariableIntValue("TW_SOUND_SERVER_PID"));
    if (!serverExpected() || server <= 0)
        GTEST_SKIP() << "needs the private sound server";
    const QByteArray hit = audioResource(QStringLiteral("explos3"));
    const QByteArray blip = toneWave(441);
    constexpr qint64 CallLimitMs = 100;
    for (const bool effectPlaying : {true, false}) {
        SCOPED_TRACE(effectPlaying ? "frozen mid-effect" : "frozen before the first effect");
        auto sound = std::make_unique<PulseSound>();
        if (effectPlaying) {
            sound->play(hit);
            runEventsFor(60);
        }
        const FrozenServer frozen(server);
        QElapsedTimer clock;
        qint64 slowest = 0;
        for (int i = 0; i < 30; ++i) {
            clock.start();
            if (i % 3 == 2)
                sound->stop();
            else
                sound->play(i % 2 ? hit : blip);
            slowest = std::max(slowest, clock.elapsed());
            runEventsFor(10);
        }
        EXPECT_LT(slowest, CallLimitMs);
        clock.start();
        sound.reset();
        EXPECT_LT(clock.elapsed(), PulseSound::TeardownLimitMs + CallLimitMs);
    }
}

TEST(RealPlayersTest, ImagesTheOutputRefusesOrThatAreDamagedStaySilent)
{
    QByteArray cut = toneWave(2000);
    cut.truncate(cut.size() / 2); // the data chunk claims more than there is
    QByteArray noFormat = toneWave(100);
    noFormat.replace(12, 4, "junk");
    const struct
    {
        const char *what;
        QByteArray image;
    } cases[] = {
        {"cut off", cut},
        {"no format chunk", noFormat},
        {"eight channels", toneWave(2205, 8)},
        {"384 kHz", toneWave(3840, 2, 384000)},
        {"1 kHz", toneWave(100, 1, 1000)},
        {"8-bit", toneWave(1000, 1, 8000, 8)},
        {"no samples", toneWave(0)},
        {"empty", QByteArray()},
    };
    StderrCapture capture;
    {
        PulseSound sound;
        for (const auto &c : cases) {
            SCOPED_TRACE(c.what);
            sound.play(c.image);
            runEventsFor(20);
        }
        sound.play(toneWave(2205));
        runEventsFor(20);
    }
    runEventsFor(100);
    EXPECT_EQ(capture.text().toStdString(), "");
}

TEST(RealPlayersTest, TracksChangeAndTheMusicGoesWhilePlaying)
{
    if (!QFileInfo::exists(QString::fromLatin1(DefaultSoundFont)))
        GTEST_SKIP() << "no General MIDI soundfont";
    QTemporaryDir dir;
    StderrCapture capture;
    {
        FluidSynthMusic music;
        for (const char *name : {"logo", "win", "game3", "logo"}) {
            const QString path = dir.filePath(QString::fromLatin1(name) + ".mid");
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(audioResource(QString::fromLatin1(name)));
            file.close();
            ASSERT_TRUE(music.open(path)) << name;
            music.play();
            music.waitForSynth();
            runEventsFor(300);
            EXPECT_EQ(music.mode(), MusicDevice::Mode::Playing) << name;
        }
        // Destroyed while a track plays.
    }
    EXPECT_EQ(capture.text().toStdString(), "");
}

} // namespace
