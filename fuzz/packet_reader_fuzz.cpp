// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the packet parser and the per-connection reader,
// cut into reads of arbitrary sizes, and checks what must always hold:
//   - the two forms of parsePacket cut the same text the same way;
//   - every packet the reader yields starts with the begin field, its type is
//     the first byte of slot 2, and it ends with an end field or 8 fields;
//   - after a drain the reader holds no more than its pending limit;
//   - a stream of packets read whole gives the same packets however it is
//     cut into reads.
//
// Input: byte 0 picks the mode, bytes 1..4 seed the read sizes. In mode 0 the
// rest is the stream as it stands. In mode 1 the rest is turned into
// packets, so most streams are well formed: every 0x00 byte ends a packet and
// every 0x01 byte ends a field.

#include "net/packet.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

using tw::PacketFields;
using tw::PacketReader;

struct Packet
{
    char type;
    std::vector<QByteArray> fields;
    bool operator==(const Packet &) const = default;
};

void check(bool condition, int line = __builtin_LINE())
{
    if (!condition) {
        std::fprintf(stderr, "invariant broken at line %d\n", line);
        std::abort();
    }
}

Packet snapshot(char type, const PacketFields &fields)
{
    Packet packet{type, {}};
    for (int i = 1; i <= tw::kMaxPacketFields; ++i)
        packet.fields.push_back(fields.slot(i));
    return packet;
}

// Filled slots of a packet yielded with cleared slots: fields are never empty.
int fieldCount(const Packet &packet)
{
    int n = 0;
    while (n < tw::kMaxPacketFields && !packet.fields[static_cast<std::size_t>(n)].isEmpty())
        ++n;
    return n;
}

void checkPacket(const Packet &packet)
{
    check(packet.type != tw::kNoPacket);
    check(packet.fields[0] == tw::kPacketBegin);
    check(!packet.fields[1].isEmpty() && packet.fields[1].front() == packet.type);
    const int n = fieldCount(packet);
    check(n == tw::kMaxPacketFields ||
          packet.fields[static_cast<std::size_t>(n - 1)] == tw::kPacketEnd);
}

// Cuts the whole text at once. Returns the packets when every cut is a packet
// that closed; an empty optional when some cut is not (garbage, or text that
// ran out before an end field).
std::optional<std::vector<Packet>> cutWhole(const QByteArray &text)
{
    std::vector<Packet> packets;
    bool wellFormed = true;
    QByteArray buffer = text;
    PacketFields viaBuffer;
    PacketFields viaOffset;
    qsizetype offset = 0;
    while (!buffer.isEmpty()) {
        const qsizetype start = offset;
        viaOffset.clear();
        viaBuffer.clear();
        const char type = tw::parsePacket(QByteArrayView(text), offset, viaOffset);
        check(tw::parsePacket(buffer, viaBuffer) == type);
        check(offset > start && text.size() - offset == buffer.size());
        const Packet packet = snapshot(type, viaOffset);
        check(packet == snapshot(type, viaBuffer));
        if (type == tw::kNoPacket) {
            wellFormed = false;
            continue;
        }
        // A cut closed when its last field is the end field or the eighth,
        // and ended at a separator.
        const int n = fieldCount(packet);
        qsizetype length = 0;
        for (int i = 0; i < n; ++i)
            length += packet.fields[static_cast<std::size_t>(i)].size();
        const bool lastFieldEnded = offset - start == length + n;
        const bool closed =
            lastFieldEnded && (packet.fields[static_cast<std::size_t>(n - 1)] == tw::kPacketEnd ||
                               n == tw::kMaxPacketFields);
        wellFormed = wellFormed && closed;
        packets.push_back(packet);
    }
    if (!wellFormed)
        return std::nullopt;
    return packets;
}

QByteArray makePackets(const std::uint8_t *data, std::size_t size)
{
    QByteArray stream;
    QByteArray packet = "TWKBEGP3|";
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0x00) {
            stream += packet + "|TWKENDP|";
            packet = "TWKBEGP3|";
        } else {
            packet += data[i] == 0x01 ? '|' : static_cast<char>(data[i]);
        }
    }
    return stream;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 5)
        return 0;
    const bool framed = data[0] & 1;
    std::uint32_t seed = static_cast<std::uint32_t>(data[1] | data[2] << 8 | data[3] << 16) |
                         static_cast<std::uint32_t>(data[4]) << 24;
    const QByteArray stream = framed ? makePackets(data + 5, size - 5)
                                     : QByteArray(reinterpret_cast<const char *>(data + 5),
                                                  static_cast<qsizetype>(size - 5));

    const std::optional<std::vector<Packet>> whole = cutWhole(stream);

    // A small limit exercises dropping; the default one the normal path.
    for (const qsizetype limit : {qsizetype(64), PacketReader::kDefaultPendingLimit}) {
        PacketReader reader(limit);
        PacketFields fields;
        std::vector<Packet> got;
        qsizetype at = 0;
        while (at < stream.size()) {
            seed = seed * 1664525u + 1013904223u;
            const qsizetype len = std::min<qsizetype>(1 + (seed >> 24) % 97, stream.size() - at);
            reader.append(QByteArrayView(stream).sliced(at, len));
            at += len;
            for (char type; (type = reader.next(fields)) != tw::kNoPacket;) {
                got.push_back(snapshot(type, fields));
                checkPacket(got.back());
            }
            check(reader.heldBytes() <= limit);
        }
        // Only a packet in progress longer than the limit may be lost.
        if (whole && stream.size() <= limit)
            check(got == *whole);
    }
    return 0;
}
