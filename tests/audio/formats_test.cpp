// SPDX-License-Identifier: GPL-3.0-or-later
// The two file formats read by the players: the timing of standard MIDI
// files and the header of WAVE images, on hand-made bytes.
#include "audio/midifile.h"
#include "audio/wavefile.h"

#include <QByteArray>
#include <gtest/gtest.h>

using namespace tw;

namespace {

QByteArray bytes(std::initializer_list<int> bytes)
{
    QByteArray out;
    for (int b : bytes)
        out.append(char(b));
    return out;
}

QByteArray bigEndian32(quint32 v)
{
    return bytes({int(v >> 24), int((v >> 16) & 0xFF), int((v >> 8) & 0xFF), int(v & 0xFF)});
}

QByteArray littleEndian32(quint32 v)
{
    return bytes({int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF), int(v >> 24)});
}

QByteArray midiChunk(const char *type, const QByteArray &body)
{
    return QByteArray(type) + bigEndian32(quint32(body.size())) + body;
}

// Format 1, two tracks, 96 ticks per quarter note.
const QByteArray Header = bytes({'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 0, 96});
// The tempo map: 120 bpm, from tick 192 on 240 bpm, end at 384.
const QByteArray TempoTrack =
    midiChunk("MTrk", bytes({
                          0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x81, 0x40, 0xFF,
                          0x51, 0x03, 0x03, 0xD0, 0x90, 0x81, 0x40, 0xFF, 0x2F, 0x00,
                      }));
// Notes with running status and a one-byte program change, ending at 288.
const QByteArray NoteTrack =
    midiChunk("MTrk", bytes({
                          0x00, 0xC0, 0x05, 0x00, 0x90, 0x3C, 0x64, 0x60, 0x3C, 0x00, 0x00,
                          0x3E, 0x64, 0x81, 0x40, 0x80, 0x3E, 0x40, 0x00, 0xFF, 0x2F, 0x00,
                      }));

TEST(MidiTimingTest, FollowsTheTempoMap)
{
    const std::optional<MidiTiming> timing = MidiTiming::parse(Header + TempoTrack + NoteTrack);
    ASSERT_TRUE(timing);
    EXPECT_EQ(timing->totalTicks(), 384);
    EXPECT_DOUBLE_EQ(timing->tickToMs(0), 0.0);
    EXPECT_DOUBLE_EQ(timing->tickToMs(96), 500.0);
    EXPECT_DOUBLE_EQ(timing->tickToMs(192), 1000.0);
    EXPECT_DOUBLE_EQ(timing->tickToMs(288), 1250.0);
    EXPECT_EQ(timing->lengthMs(), 1500);
}

TEST(MidiTimingTest, TempoChangesApplyInTimeOrderWhicheverTrackHoldsThem)
{
    // The note track slows to 60 bpm at tick 96, between the tempo track's
    // changes at 0 and 192.
    const QByteArray notes =
        midiChunk("MTrk", bytes({
                              0x00, 0x90, 0x3C, 0x64, 0x60, 0xFF, 0x51, 0x03, 0x0F, 0x42,
                              0x40, 0x00, 0x80, 0x3C, 0x40, 0x00, 0xFF, 0x2F, 0x00,
                          }));
    const std::optional<MidiTiming> timing = MidiTiming::parse(Header + TempoTrack + notes);
    ASSERT_TRUE(timing);
    EXPECT_DOUBLE_EQ(timing->tickToMs(96), 500.0);
    EXPECT_DOUBLE_EQ(timing->tickToMs(192), 1500.0);
    EXPECT_EQ(timing->lengthMs(), 2000);
}

TEST(MidiTimingTest, ReadsTimeCodeDivisionsAndToleratesWhatPlayersTolerate)
{
    // 25 frames of 40 ticks a second: a tick is a millisecond, whatever the
    // tempo events say.
    const QByteArray smpte =
        bytes({'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0xE7, 40}) +
        midiChunk("MTrk",
                  bytes({0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40, 0x87, 0x68, 0xFF, 0x2F, 0x00}));
    std::optional<MidiTiming> timing = MidiTiming::parse(smpte);
    ASSERT_TRUE(timing);
    EXPECT_EQ(timing->totalTicks(), 1000);
    EXPECT_EQ(timing->lengthMs(), 1000);

    // A longer header, a chunk of unknown type between the tracks, and a
    // track that ends without end-of-track.
    QByteArray longHeader = Header;
    longHeader[7] = 8;
    longHeader += bytes({0xAB, 0xCD});
    const QByteArray openEnded =
        midiChunk("MTrk", bytes({0x00, 0x90, 0x3C, 0x64, 0x83, 0x00, 0x80, 0x3C, 0x40}));
    timing = MidiTiming::parse(longHeader + midiChunk("XFIH", "private") + TempoTrack + openEnded);
    ASSERT_TRUE(timing);
    EXPECT_EQ(timing->totalTicks(), 384);
}

TEST(MidiTimingTest, RefusesDamagedFiles)
{
    const QByteArray good = Header + TempoTrack + NoteTrack;
    ASSERT_TRUE(MidiTiming::parse(good));
    const auto withHeaderByte = [&](int at, int value) {
        QByteArray data = good;
        data[at] = char(value);
        return data;
    };
    const auto withNotes = [&](std::initializer_list<int> events) {
        return Header + TempoTrack + midiChunk("MTrk", bytes(events));
    };
    const struct
    {
        const char *what;
        QByteArray data;
    } cases[] = {
        {"empty", QByteArray()},
        {"wrong magic", withHeaderByte(3, 'x')},
        {"cut inside the header", good.first(10)},
        {"cut inside a track", good.first(good.size() - 3)},
        {"more tracks announced than present", withHeaderByte(11, 3)},
        {"format 0 with two tracks", withHeaderByte(9, 0)},
        {"unknown format", withHeaderByte(9, 3)},
        {"zero division", withHeaderByte(13, 0)},
        {"bad time code rate", bytes({'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0xE6, 40})},
        {"data byte without a status", withNotes({0x00, 0x3C, 0x64, 0x00, 0xFF, 0x2F, 0x00})},
        {"status in place of data", withNotes({0x00, 0x90, 0x3C, 0x90, 0x00, 0xFF, 0x2F, 0x00})},
        {"five-byte delta", withNotes({0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0x2F, 0x00})},
        {"system common message", withNotes({0x00, 0xF2, 0x00, 0x00, 0x00, 0xFF, 0x2F, 0x00})},
        {"short tempo", withNotes({0x00, 0xFF, 0x51, 0x02, 0x07, 0xA1, 0x00, 0xFF, 0x2F, 0x00})},
        {"zero tempo",
         withNotes({0x00, 0xFF, 0x51, 0x03, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x2F, 0x00})},
        {"meta longer than its track", withNotes({0x00, 0xFF, 0x01, 0x7F, 'a'})},
        {"running status after a meta event",
         withNotes({0x00, 0x90, 0x3C, 0x64, 0x00, 0xFF, 0x01, 0x00, 0x00, 0x3C, 0x00})},
    };
    for (const auto &c : cases)
        EXPECT_FALSE(MidiTiming::parse(c.data)) << c.what;
}

// The canonical 44-byte header of 16-bit mono at 22050 Hz and two frames.
const QByteArray CanonicalWave =
    bytes({'R', 'I', 'F', 'F', 40,  0,   0,   0,   'W',  'A',  'V', 'E', 'f',  'm',  't',  ' ',
           16,  0,   0,   0,   1,   0,   1,   0,   0x22, 0x56, 0,   0,   0x44, 0xAC, 0,    0,
           2,   0,   16,  0,   'd', 'a', 't', 'a', 4,    0,    0,   0,   0x01, 0x02, 0x03, 0x04});

QByteArray wave(int tag, int channels, int rate, int bits, const QByteArray &extra,
                const QByteArray &samples)
{
    const int frame = channels * bits / 8;
    QByteArray fmt = bytes({tag & 0xFF, tag >> 8, channels, 0}) + littleEndian32(quint32(rate)) +
                     littleEndian32(quint32(rate * frame)) + bytes({frame, 0, bits, 0}) + extra;
    QByteArray body = "WAVE" + QByteArray("fmt ") + littleEndian32(quint32(fmt.size())) + fmt +
                      "data" + littleEndian32(quint32(samples.size())) + samples;
    return "RIFF" + littleEndian32(quint32(body.size())) + body;
}

TEST(WaveImageTest, ReadsTheCanonicalHeader)
{
    ASSERT_EQ(CanonicalWave, wave(1, 1, 22050, 16, {}, bytes({1, 2, 3, 4})));
    const std::optional<WaveImage> wave = WaveImage::parse(CanonicalWave);
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->sample, WaveImage::Sample::Int16);
    EXPECT_EQ(wave->channels, 1);
    EXPECT_EQ(wave->sampleRate, 22050);
    EXPECT_EQ(wave->dataOffset, 44);
    EXPECT_EQ(wave->dataSize, 4);
    EXPECT_EQ(wave->frames(), 2);
}

TEST(WaveImageTest, ReadsOtherSampleKindsAndSkipsForeignChunks)
{
    // A 3-byte LIST chunk, padded to 4, between the format and the samples.
    QByteArray listed = CanonicalWave;
    listed.insert(36, QByteArray("LIST") + littleEndian32(3) + "ab" + '\0' + '\0');
    const QByteArray extensible16 =
        wave(0xFFFE, 2, 44100, 16, bytes({22, 0, 16,   0, 3,    0, 0, 0,    1, 0,    0,    0,
                                          0,  0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71}),
             QByteArray(8, '\0'));
    const struct
    {
        const char *what;
        QByteArray data;
        WaveImage::Sample sample;
        int channels;
        qsizetype offset;
        qsizetype size;
    } cases[] = {
        {"foreign chunk", listed, WaveImage::Sample::Int16, 1, 56, 4},
        {"8-bit stereo", wave(1, 2, 8000, 8, {}, "abcdef"), WaveImage::Sample::UInt8, 2, 44, 6},
        {"float", wave(3, 1, 48000, 32, {}, QByteArray(8, '\0')), WaveImage::Sample::Float32, 1, 44,
         8},
        {"32-bit", wave(1, 1, 48000, 32, {}, QByteArray(8, '\0')), WaveImage::Sample::Int32, 1, 44,
         8},
        {"extensible", extensible16, WaveImage::Sample::Int16, 2, 68, 8},
        {"part of a frame at the end", wave(1, 2, 22050, 16, {}, "abcdefg"),
         WaveImage::Sample::Int16, 2, 44, 4},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<WaveImage> wave = WaveImage::parse(c.data);
        ASSERT_TRUE(wave);
        EXPECT_EQ(wave->sample, c.sample);
        EXPECT_EQ(wave->channels, c.channels);
        EXPECT_EQ(wave->dataOffset, c.offset);
        EXPECT_EQ(wave->dataSize, c.size);
    }
}

TEST(WaveImageTest, RefusesWhatItCannotPlay)
{
    const auto with = [](int at, int value) {
        QByteArray data = CanonicalWave;
        data[at] = char(value);
        return data;
    };
    QByteArray dataFirst =
        CanonicalWave.first(12) + CanonicalWave.sliced(36) + CanonicalWave.sliced(12, 24);
    const struct
    {
        const char *what;
        QByteArray data;
    } cases[] = {
        {"empty", QByteArray()},
        {"not RIFF", with(0, 'X')},
        {"not WAVE", with(8, 'X')},
        {"samples before the format", dataFirst},
        {"no samples", CanonicalWave.first(36)},
        {"short format", with(16, 14)},
        {"compressed", with(20, 2)},
        {"24-bit", wave(1, 1, 22050, 24, {}, "abc")},
        {"wrong block align", with(32, 4)},
        {"no channels", with(22, 0)},
        {"no rate", wave(1, 1, 0, 16, {}, "ab")},
        {"samples past the end", with(40, 5)},
    };
    for (const auto &c : cases)
        EXPECT_FALSE(WaveImage::parse(c.data)) << c.what;
}

} // namespace
