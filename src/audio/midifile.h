// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <optional>
#include <vector>

namespace tw {

// The timing of a standard MIDI file: how long it plays and when each tick
// sounds. The music player reports its length and position from this, so it
// knows them before (or without) any synthesizer.
class MidiTiming
{
public:
    // Reads the header and walks every track. Empty when the data is not a
    // well-formed standard MIDI file (a damaged file is not played at all).
    static std::optional<MidiTiming> parse(QByteArrayView data);

    // The tick of the last event (normally the end-of-track) of the longest
    // track.
    qint64 totalTicks() const { return m_totalTicks; }
    // Milliseconds from the start to the given tick under the tempo map.
    double tickToMs(qint64 tick) const;
    // The time of the last tick: the length a MIDI player reports.
    qint64 lengthMs() const;

private:
    struct TempoSegment
    {
        qint64 tick;      // where the tempo takes effect
        double msAtTick;  // time at that tick
        double msPerTick; // from there on
    };

    qint64 m_totalTicks = 0;
    std::vector<TempoSegment> m_segments; // sorted by tick, the first at tick 0
};

} // namespace tw
