// SPDX-License-Identifier: GPL-3.0-or-later
// The real players, as far as a machine without a sound server (or with one
// and files that make no sound) lets them be seen: they keep time, refuse
// damaged data, never block, and say nothing on stderr.
#include "audio/fluidmusic.h"
#include "audio/pulsesound.h"
#include "realtime.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace tw;
using namespace tw::test;
using Mode = MusicDevice::Mode;

namespace {

// A MIDI file without a single note that lasts the given time: 500 ticks a
// quarter note at the default 120 bpm make a tick a millisecond.
QByteArray silentMidi(int ms)
{
    QByteArray delta;
    for (int v = ms; v > 0 || delta.isEmpty(); v >>= 7)
        delta.prepend(char((v & 0x7F) | (delta.isEmpty() ? 0 : 0x80)));
    const QByteArray track = delta + QByteArray("\xFF\x2F\x00", 3);
    return QByteArray("MThd\0\0\0\x06\0\0\0\x01\x01\xF4", 14) + "MTrk" + QByteArray("\0\0\0", 3) +
           char(track.size()) + track;
}

// Two frames of 16-bit silence.
const QByteArray silentWave("RIFF\x28\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x22\x56\0\0\x44\xAC\0\0"
                            "\x02\0\x10\0data\x04\0\0\0\0\0\0\0",
                            48);

bool waitForMode(const MusicDevice &music, Mode mode, int ms)
{
    const QDeadlineTimer deadline(ms);
    while (music.mode() != mode && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return music.mode() == mode;
}

class FluidSynthMusicTest : public ::testing::Test
{
protected:
    QString write(const char *name, const QByteArray &data)
    {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(data) == data.size());
        return path;
    }

    QTemporaryDir dir;
};

TEST_F(FluidSynthMusicTest, KeepsTimeWithoutASynthesizer)
{
    FluidSynthMusic music(dir.filePath(QStringLiteral("no-such.sf2")));
    EXPECT_EQ(music.mode(), Mode::NotOpen);
    EXPECT_EQ(music.length(), 0);
    music.play(); // nothing open: nothing happens
    EXPECT_EQ(music.mode(), Mode::NotOpen);

    ASSERT_TRUE(music.open(write("track.mid", silentMidi(400))));
    EXPECT_FALSE(music.waitForSynth());
    EXPECT_EQ(music.mode(), Mode::Stopped);
    EXPECT_EQ(music.length(), 400);
    EXPECT_EQ(music.position(), 0);

    music.play();
    EXPECT_EQ(music.mode(), Mode::Playing);
    QThread::msleep(100);
    music.stop();
    const qint64 paused = music.position();
    EXPECT_GE(paused, 100);
    EXPECT_EQ(music.mode(), Mode::Stopped);
    QThread::msleep(50);
    EXPECT_EQ(music.position(), paused);

    // Played on, it ends after its length and stays at the end.
    music.play();
    EXPECT_TRUE(waitForMode(music, Mode::Stopped, 5000));
    EXPECT_EQ(music.position(), 400);
    EXPECT_EQ(music.length(), 400);

    music.close();
    EXPECT_EQ(music.mode(), Mode::NotOpen);
    EXPECT_EQ(music.position(), 0);
    EXPECT_EQ(music.length(), 0);
}

TEST_F(FluidSynthMusicTest, RefusesWhatIsNotAMidiFile)
{
    FluidSynthMusic music(dir.filePath(QStringLiteral("no-such.sf2")));
    QByteArray cut = silentMidi(100);
    cut.chop(2);
    const QString good = write("good.mid", silentMidi(100));
    const QString bad[] = {
        dir.filePath(QStringLiteral("missing.mid")),
        write("empty.mid", QByteArray()),
        write("cut.mid", cut),
        write("wave.mid", silentWave),
        dir.path(),
    };
    for (const QString &path : bad) {
        SCOPED_TRACE(path.toStdString());
        ASSERT_TRUE(music.open(good));
        music.play();
        EXPECT_FALSE(music.open(path));
        EXPECT_EQ(music.mode(), Mode::NotOpen);
        EXPECT_EQ(music.length(), 0);
    }
}

TEST_F(FluidSynthMusicTest, TheRealSynthesizerNeitherBlocksNorTalks)
{
    StderrCapture capture;
    {
        // Whatever this machine has: a sound server that plays the silent
        // file, or none and a silent player that still keeps time.
        FluidSynthMusic music;
        ASSERT_TRUE(music.open(write("track.mid", silentMidi(300))));
        music.play();
        music.waitForSynth();
        runEventsFor(50);
        EXPECT_NE(music.mode(), Mode::NotOpen);
        EXPECT_TRUE(waitForMode(music, Mode::Stopped, 5000));
        EXPECT_EQ(music.position(), 300);
        ASSERT_TRUE(music.open(write("next.mid", silentMidi(100))));
        music.play();
        EXPECT_EQ(music.mode(), Mode::Playing);
        music.stop();
        music.close();

        // Destroyed while the synthesizer is still being set up.
        FluidSynthMusic early;
        EXPECT_TRUE(early.open(write("early.mid", silentMidi(100))));
        early.play();
    }
    EXPECT_EQ(capture.text().toStdString(), "");
}

TEST(PulseSoundTest, PlaysWhatItCanAndNeverTalks)
{
    StderrCapture capture;
    {
        PulseSound sound;
        sound.stop();
        sound.play(QByteArray("RIFF but nothing else"));
        sound.play(silentWave);
        sound.play(silentWave); // cuts the first off
        runEventsFor(100);
        sound.play(silentWave);
        sound.stop();
        sound.stop();
        sound.play(silentWave); // still playing when destroyed
    }
    runEventsFor(100);
    EXPECT_EQ(capture.text().toStdString(), "");
}

} // namespace
