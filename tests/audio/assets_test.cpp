// SPDX-License-Identifier: GPL-3.0-or-later
// The music and effects the game carries: every track is read by FluidSynth
// and lasts as designed, every effect is a short 16-bit PCM WAVE.
#include "audio/audio.h"
#include "audio/fluidmusic.h"
#include "audio/midifile.h"
#include "audio/wavefile.h"

#include <QFile>
#include <QMap>
#include <QTextStream>
#include <cmath>
#include <fluidsynth.h>
#include <gtest/gtest.h>
#include <memory>

using namespace tw;

namespace {

// Seconds by file name, from the list the music generator writes.
QMap<QString, double> designedLengths()
{
    QMap<QString, double> lengths;
    QFile file(QStringLiteral(TW_SOURCE_DIR "/assets/music/tracks.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return lengths;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList fields = line.split(u' ', Qt::SkipEmptyParts);
        if (fields.size() == 2)
            lengths.insert(fields[0], fields[1].toDouble());
    }
    return lengths;
}

struct FluidDeleter
{
    void operator()(fluid_settings_t *p) const { delete_fluid_settings(p); }
    void operator()(fluid_synth_t *p) const { delete_fluid_synth(p); }
    void operator()(fluid_player_t *p) const { delete_fluid_player(p); }
};

struct FluidPlayback
{
    bool finished = false;
    int totalTicks = 0;
    double msAtLastTick = 0; // when the player had reached the last tick
};

// Plays a MIDI file through FluidSynth's own player as fast as the machine
// renders, with no soundfont and no audio output, and measures when the
// player reaches the file's last tick. (It says it is done a little later,
// having let the last notes ring.)
FluidPlayback playInFluidSynth(const QByteArray &midi, double limitMs)
{
    constexpr int Rate = 8000;
    constexpr int Block = 64;
    std::unique_ptr<fluid_settings_t, FluidDeleter> settings(new_fluid_settings());
    fluid_settings_setnum(settings.get(), "synth.sample-rate", Rate);
    fluid_settings_setint(settings.get(), "synth.reverb.active", 0);
    fluid_settings_setint(settings.get(), "synth.chorus.active", 0);
    std::unique_ptr<fluid_synth_t, FluidDeleter> synth(new_fluid_synth(settings.get()));
    std::unique_ptr<fluid_player_t, FluidDeleter> player(new_fluid_player(synth.get()));
    FluidPlayback result;
    if (!player ||
        fluid_player_add_mem(player.get(), midi.constData(), size_t(midi.size())) != FLUID_OK ||
        fluid_player_play(player.get()) != FLUID_OK)
        return result;
    float left[Block];
    float right[Block];
    qint64 frames = 0;
    while (fluid_player_get_status(player.get()) == FLUID_PLAYER_PLAYING &&
           double(frames) * 1000.0 / Rate < limitMs) {
        fluid_synth_write_float(synth.get(), Block, left, 0, 1, right, 0, 1);
        frames += Block;
        if (result.totalTicks == 0)
            result.totalTicks = fluid_player_get_total_ticks(player.get());
        if (result.msAtLastTick == 0 && result.totalTicks > 0 &&
            fluid_player_get_current_tick(player.get()) >= result.totalTicks)
            result.msAtLastTick = double(frames) * 1000.0 / Rate;
    }
    result.finished = fluid_player_get_status(player.get()) == FLUID_PLAYER_DONE;
    return result;
}

TEST(AssetsTest, EveryTrackPlaysInFluidSynthForItsDesignedLength)
{
    quietFluidSynthLog();
    const QMap<QString, double> designed = designedLengths();
    ASSERT_EQ(designed.size(), 13);
    for (const char *name : MusicTracks) {
        SCOPED_TRACE(name);
        const QString file = QString::fromLatin1(name).toLower() + QStringLiteral(".mid");
        ASSERT_TRUE(designed.contains(file));
        const double designedMs = designed.value(file) * 1000;

        const QByteArray midi = audioResource(QString::fromLatin1(name));
        ASSERT_TRUE(midi.startsWith("MThd"));
        const std::optional<MidiTiming> timing = MidiTiming::parse(midi);
        ASSERT_TRUE(timing);
        EXPECT_NEAR(double(timing->lengthMs()), designedMs, 1.0);

        const FluidPlayback playback = playInFluidSynth(midi, designedMs + 10'000);
        EXPECT_TRUE(playback.finished);
        EXPECT_EQ(playback.totalTicks, timing->totalTicks());
        // The player moves on in blocks of 8 ms.
        EXPECT_NEAR(playback.msAtLastTick, designedMs, 20.0);
    }
}

TEST(AssetsTest, TheGeneralMidiSoundfontLoads)
{
    quietFluidSynthLog();
    if (!QFile::exists(QString::fromLatin1(DefaultSoundFont)))
        GTEST_SKIP() << "no General MIDI soundfont installed";
    std::unique_ptr<fluid_settings_t, FluidDeleter> settings(new_fluid_settings());
    fluid_settings_setint(settings.get(), "synth.dynamic-sample-loading", 1);
    std::unique_ptr<fluid_synth_t, FluidDeleter> synth(new_fluid_synth(settings.get()));
    EXPECT_NE(fluid_synth_sfload(synth.get(), DefaultSoundFont, 1), FLUID_FAILED);
}

TEST(AssetsTest, EveryEffectIsAShort16BitPcmWave)
{
    const char *effects[] = {"laugh",   "explos1",  "explos2",  "explos3",  "explos4",  "explos5",
                             "explos6", "destroy1", "destroy2", "destroy3", "destroy4", "destroy5",
                             "wrong1",  "wrong2",   "wrong3",   "gong",     "connect"};
    for (const char *name : effects) {
        SCOPED_TRACE(name);
        const QByteArray wav = audioResource(QString::fromLatin1(name));
        ASSERT_GE(wav.size(), 44);
        // The RIFF size covers the whole image.
        const quint32 riffSize = quint8(wav[4]) | quint8(wav[5]) << 8 | quint8(wav[6]) << 16 |
                                 quint32(quint8(wav[7])) << 24;
        EXPECT_EQ(riffSize, quint32(wav.size() - 8));
        EXPECT_EQ(wav.sliced(20, 2), QByteArray("\x01\x00", 2)) << "plain PCM";
        const std::optional<WaveImage> image = WaveImage::parse(wav);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->sample, WaveImage::Sample::Int16);
        EXPECT_GT(image->frames(), 0);
        EXPECT_LE(image->seconds(), 1.5);
        EXPECT_EQ(image->dataOffset + image->dataSize, wav.size());
    }
}

} // namespace
