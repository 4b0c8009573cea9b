// SPDX-License-Identifier: GPL-3.0-or-later
#include "midifile.h"

#include <algorithm>
#include <cmath>

namespace tw {

// A standard MIDI file is a sequence of chunks: a four-letter type, a 32-bit
// big-endian length and that many bytes. The first is the header:
//
//   offset  size  field
//        0     4  "MThd"
//        4     4  length of what follows, at least 6
//        8     2  format: 0 (one track), 1 (tracks played together), 2
//       10     2  number of track chunks
//       12     2  division: with bit 15 clear, ticks per quarter note; with
//                 it set, the high byte is minus the frames per second (24,
//                 25, 29 for 29.97 drop frame, 30) and the low byte the ticks
//                 per frame
//
// Then come the "MTrk" chunks; chunks of other types may sit between them and
// are skipped. A track is a list of events, each a delta time in ticks (a
// variable-length quantity: 7 bits a byte, most significant first, bit 7 set
// on every byte but the last, at most 4 bytes) followed by one of
//
//   0x80..0xEF d1 [d2]   channel message: two data bytes, one for program
//                        change (0xC_) and channel pressure (0xD_); a data
//                        byte in place of the status repeats the last status
//                        (running status)
//   0xFF type len data   meta event (len a variable-length quantity);
//                        0x51 sets the tempo in microseconds per quarter note
//                        (3 bytes), 0x2F ends the track
//   0xF0 len data        system exclusive, and 0xF7 len data its continuation
//
// Meta and system exclusive events cancel running status.
namespace {

constexpr int HeaderSize = 14;
constexpr int ChunkHeaderSize = 8;
constexpr qint64 DefaultTempo = 500'000; // microseconds per quarter note: 120 bpm
static_assert(HeaderSize == ChunkHeaderSize + 6);

class Reader
{
public:
    explicit Reader(QByteArrayView data) : m_data(data) {}

    bool atEnd() const { return m_pos >= m_data.size(); }
    qsizetype pos() const { return m_pos; }
    bool has(qsizetype n) const { return n >= 0 && m_data.size() - m_pos >= n; }

    quint8 byte() { return static_cast<quint8>(m_data[m_pos++]); }
    quint8 peek() const { return static_cast<quint8>(m_data[m_pos]); }

    std::optional<quint32> bigEndian(int bytes)
    {
        if (!has(bytes))
            return std::nullopt;
        quint32 value = 0;
        for (int i = 0; i < bytes; ++i)
            value = (value << 8) | byte();
        return value;
    }

    std::optional<quint32> quantity()
    {
        quint32 value = 0;
        for (int i = 0; i < 4; ++i) {
            if (atEnd())
                return std::nullopt;
            const quint8 b = byte();
            value = (value << 7) | (b & 0x7Fu);
            if ((b & 0x80u) == 0)
                return value;
        }
        return std::nullopt;
    }

    bool skip(qint64 n)
    {
        if (!has(n))
            return false;
        m_pos += n;
        return true;
    }

    QByteArrayView take(qsizetype n)
    {
        const QByteArrayView part = m_data.sliced(m_pos, n);
        m_pos += n;
        return part;
    }

private:
    QByteArrayView m_data;
    qsizetype m_pos = 0;
};

struct TempoChange
{
    qint64 tick;
    qint64 microsPerQuarter;
};

// Walks one track's events; returns the tick of its last event, or nothing
// when the track is malformed.
std::optional<qint64> walkTrack(QByteArrayView body, std::vector<TempoChange> &tempo)
{
    Reader in(body);
    qint64 tick = 0;
    quint8 running = 0;
    while (!in.atEnd()) {
        const std::optional<quint32> delta = in.quantity();
        if (!delta || in.atEnd())
            return std::nullopt;
        tick += *delta;
        quint8 status = in.peek();
        if (status == 0xFF) {
            in.byte();
            if (in.atEnd())
                return std::nullopt;
            const quint8 type = in.byte();
            const std::optional<quint32> length = in.quantity();
            if (!length || !in.has(*length))
                return std::nullopt;
            const QByteArrayView data = in.take(*length);
            running = 0;
            if (type == 0x2F)
                return tick;
            if (type == 0x51) {
                if (data.size() != 3)
                    return std::nullopt;
                const qint64 micros = (qint64(quint8(data[0])) << 16) |
                                      (qint64(quint8(data[1])) << 8) | quint8(data[2]);
                if (micros == 0)
                    return std::nullopt;
                tempo.push_back({tick, micros});
            }
            continue;
        }
        if (status == 0xF0 || status == 0xF7) {
            in.byte();
            const std::optional<quint32> length = in.quantity();
            if (!length || !in.skip(*length))
                return std::nullopt;
            running = 0;
            continue;
        }
        if (status >= 0xF0)
            return std::nullopt;
        if (status & 0x80u) {
            in.byte();
            running = status;
        } else if (running == 0) {
            return std::nullopt;
        } else {
            status = running;
        }
        const int dataBytes = (status & 0xF0u) == 0xC0 || (status & 0xF0u) == 0xD0 ? 1 : 2;
        for (int i = 0; i < dataBytes; ++i)
            if (in.atEnd() || (in.byte() & 0x80u))
                return std::nullopt;
    }
    // A track without end-of-track ends with its last event.
    return tick;
}

} // namespace

std::optional<MidiTiming> MidiTiming::parse(QByteArrayView data)
{
    Reader in(data);
    if (!in.has(HeaderSize) || data.first(4) != QByteArrayView("MThd"))
        return std::nullopt;
    in.skip(4);
    const quint32 headerLength = *in.bigEndian(4);
    if (headerLength < 6 || !in.has(headerLength))
        return std::nullopt;
    const quint32 format = *in.bigEndian(2);
    const quint32 tracks = *in.bigEndian(2);
    const quint32 division = *in.bigEndian(2);
    in.skip(headerLength - 6);
    if (format > 2 || tracks == 0 || (format == 0 && tracks != 1))
        return std::nullopt;

    double smpteMsPerTick = 0;
    if (division & 0x8000u) {
        const int fps = 256 - int(division >> 8);
        const int ticksPerFrame = int(division & 0xFFu);
        if ((fps != 24 && fps != 25 && fps != 29 && fps != 30) || ticksPerFrame == 0)
            return std::nullopt;
        smpteMsPerTick = 1000.0 / ((fps == 29 ? 29.97 : fps) * ticksPerFrame);
    } else if (division == 0) {
        return std::nullopt;
    }

    MidiTiming timing;
    std::vector<TempoChange> tempo;
    for (quint32 found = 0; found < tracks;) {
        if (!in.has(ChunkHeaderSize))
            return std::nullopt;
        const QByteArrayView type = in.take(4);
        const quint32 length = *in.bigEndian(4);
        if (!in.has(length))
            return std::nullopt;
        const QByteArrayView body = in.take(length);
        if (type != QByteArrayView("MTrk"))
            continue;
        const std::optional<qint64> end = walkTrack(body, tempo);
        if (!end)
            return std::nullopt;
        timing.m_totalTicks = std::max(timing.m_totalTicks, *end);
        ++found;
    }

    if (smpteMsPerTick > 0) {
        timing.m_segments.push_back({0, 0.0, smpteMsPerTick});
        return timing;
    }
    // Tempo changes apply in time order whichever track carries them; at
    // equal ticks the one read last wins, as a player merging the tracks
    // would apply it last.
    std::stable_sort(tempo.begin(), tempo.end(),
                     [](const TempoChange &a, const TempoChange &b) { return a.tick < b.tick; });
    const auto msPerTick = [division](qint64 micros) { return double(micros) / 1000.0 / division; };
    timing.m_segments.push_back({0, 0.0, msPerTick(DefaultTempo)});
    for (const TempoChange &change : tempo) {
        TempoSegment &last = timing.m_segments.back();
        if (change.tick == last.tick) {
            last.msPerTick = msPerTick(change.microsPerQuarter);
            continue;
        }
        const double ms = last.msAtTick + double(change.tick - last.tick) * last.msPerTick;
        timing.m_segments.push_back({change.tick, ms, msPerTick(change.microsPerQuarter)});
    }
    return timing;
}

double MidiTiming::tickToMs(qint64 tick) const
{
    tick = std::max<qint64>(tick, 0);
    const auto after =
        std::upper_bound(m_segments.begin(), m_segments.end(), tick,
                         [](qint64 t, const TempoSegment &segment) { return t < segment.tick; });
    const TempoSegment &segment = *std::prev(after);
    return segment.msAtTick + double(tick - segment.tick) * segment.msPerTick;
}

qint64 MidiTiming::lengthMs() const
{
    return std::llround(tickToMs(m_totalTicks));
}

} // namespace tw
