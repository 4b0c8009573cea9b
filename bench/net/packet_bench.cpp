// SPDX-License-Identifier: GPL-3.0-or-later
// Packet parsing throughput on 10 MB of received text: packets of every type
// mixed with garbage (runs of random bytes with and without separators).

#include "net/packet.h"

#include <benchmark/benchmark.h>
#include <random>

namespace tw {
namespace {

constexpr qsizetype kStreamSize = 10 * 1000 * 1000;
constexpr qsizetype kReadSize = 4096;

QByteArray framed(const QByteArray &body)
{
    return body + "|TWKENDP|";
}

const QByteArray &mixedStream()
{
    static const QByteArray stream = [] {
        std::mt19937 random(8170);
        const QString board(225, QLatin1Char('B'));
        const QByteArray packets[] = {
            framed(makeShotData(3, 7)),
            framed(makeTargetCoords(14, 9)),
            framed(makeConnectionInvite(u"Ann", 10)),
            framed(makeUserInfoChange(u"Борис", 15)),
            framed(makeChatMessage(u"Ann", u"good luck, have fun")),
            framed(makeChatMessage(u"Аня", QString(120, QChar(0x0436)))),
            framed(makeAreaData(QString(32, QLatin1Char('n')), 15, board, true, '1')),
            framed(makeGameAborted(u"Ann", 10)),
        };
        QByteArray text;
        text.reserve(kStreamSize + 1024);
        while (text.size() < kStreamSize) {
            const auto pick = static_cast<unsigned>(random() % 10);
            if (pick < 8) {
                text += packets[pick];
            } else {
                // Garbage: printable bytes, a separator now and then in one
                // run of two.
                const bool separators = pick == 9;
                const auto length = static_cast<unsigned>(1 + random() % 200);
                for (unsigned i = 0; i < length; ++i) {
                    char c = static_cast<char>(0x20 + random() % 0x5f);
                    if (c == kFieldSeparator && !separators)
                        c = '#';
                    text += c;
                }
            }
        }
        return text;
    }();
    return stream;
}

// The receiving path: reads of one connection through its reader.
void BM_ReaderMixed(benchmark::State &state)
{
    const QByteArray &stream = mixedStream();
    PacketFields fields;
    for (auto _ : state) {
        PacketReader reader;
        std::size_t packets = 0;
        for (qsizetype at = 0; at < stream.size(); at += kReadSize) {
            reader.append(
                QByteArrayView(stream).sliced(at, std::min(kReadSize, stream.size() - at)));
            while (reader.next(fields) != kNoPacket)
                ++packets;
        }
        benchmark::DoNotOptimize(packets);
        state.counters["packets"] = static_cast<double>(packets);
    }
    state.SetBytesProcessed(state.iterations() * stream.size());
}
BENCHMARK(BM_ReaderMixed)->Unit(benchmark::kMillisecond);

// parsePacket on the whole text at once, cutting at an offset.
void BM_ParsePacketOffsetMixed(benchmark::State &state)
{
    const QByteArray &stream = mixedStream();
    PacketFields fields;
    for (auto _ : state) {
        qsizetype offset = 0;
        std::size_t packets = 0;
        while (offset < stream.size())
            packets += parsePacket(QByteArrayView(stream), offset, fields) != kNoPacket;
        benchmark::DoNotOptimize(packets);
    }
    state.SetBytesProcessed(state.iterations() * stream.size());
}
BENCHMARK(BM_ParsePacketOffsetMixed)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tw
