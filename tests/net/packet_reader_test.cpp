// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/packet.h"
#include "print_bytes.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tw {
namespace {

// A packet as the reader yields it: type and the 8 values.
struct Got
{
    char type;
    std::vector<QByteArray> values;
    bool operator==(const Got &) const = default;
};

void PrintTo(const Got &got, std::ostream *os)
{
    *os << got.type;
    for (const QByteArray &s : got.values) {
        *os << ' ';
        ::PrintTo(s, os);
    }
}

std::vector<Got> drain(PacketReader &reader)
{
    std::vector<Got> got;
    PacketFields fields;
    for (char type; (type = reader.next(fields)) != kNoPacket;) {
        std::vector<QByteArray> values;
        for (int i = 1; i <= kMaxPacketFields; ++i)
            values.push_back(fields.slot(i));
        got.push_back({type, values});
    }
    return got;
}

std::vector<Got> readChunks(const std::vector<QByteArray> &chunks)
{
    PacketReader reader;
    std::vector<Got> got;
    for (const QByteArray &chunk : chunks) {
        reader.append(chunk);
        const std::vector<Got> more = drain(reader);
        got.insert(got.end(), more.begin(), more.end());
    }
    return got;
}

std::string types(const std::vector<Got> &got)
{
    std::string types;
    for (const Got &g : got)
        types += g.type;
    return types;
}

struct CollectingSink : PacketSink
{
    bool isActive() const override { return true; }
    void write(const QByteArray &bytes) override { written += bytes; }
    QByteArray written;
};

// One packet of every type, with a full board, Cyrillic text and a chat line
// longer than a typical read.
QByteArray mixedStream()
{
    CollectingSink sink;
    sendPacket(sink, makeConnectionInvite(u"Ann", 10));
    sendPacket(sink, makeAreaData(u"Ann", 15, QString(225, QLatin1Char('B')), true, '1'));
    sendPacket(sink, makeChatMessage(u"Аня", QString(300, QChar(0x0436))));
    sendPacket(sink, makeShotData(3, 7));
    sendPacket(sink, makeTargetCoords(14, 0));
    sendPacket(sink, makeGameAborted(u"Ann", 12));
    sendPacket(sink, makeUserInfoChange(u"Bob", 11));
    return sink.written;
}

TEST(PacketReader, WholeStreamGivesEveryPacketInOrder)
{
    const std::vector<Got> got = readChunks({mixedStream()});
    EXPECT_EQ(types(got), "CPMSTAU");
    ASSERT_EQ(got.size(), 7u);
    EXPECT_EQ(got[3].values,
              (std::vector<QByteArray>{"TWKBEGP3", "S", "3", "7", "TWKENDP", "", "", ""}));
}

// A packet cut at any byte is completed by the next read, never lost or
// acted on half-read.
TEST(PacketReader, StreamCutAtEveryByteGivesTheSamePackets)
{
    const QByteArray stream = mixedStream();
    const std::vector<Got> whole = readChunks({stream});
    for (qsizetype cut = 0; cut <= stream.size(); ++cut) {
        SCOPED_TRACE("cut at " + std::to_string(cut));
        ASSERT_EQ(readChunks({stream.first(cut), stream.sliced(cut)}), whole);
    }
}

TEST(PacketReader, StreamByteByByteGivesTheSamePackets)
{
    const QByteArray stream = mixedStream();
    std::vector<QByteArray> bytes;
    for (const char c : stream)
        bytes.emplace_back(1, c);
    EXPECT_EQ(readChunks(bytes), readChunks({stream}));
}

struct ChunksCase
{
    const char *name;
    std::vector<QByteArray> chunks;
    const char *types;
};

const QByteArray kShot = "TWKBEGP3|S|3|7|TWKENDP|";
const QByteArray kInvite = "TWKBEGP3|C|Ann|10|TWKENDP|";

const std::vector<ChunksCase> kChunksCases = {
    {"GarbageReadBetweenPackets", {kInvite, "garbage!", kShot}, "CS"},
    {"GarbageWithSeparatorsBetweenPackets", {kInvite, "a|b|c", kShot}, "CS"},
    {"GarbageEndingInSeparatorBeforePacket", {"xyz|", kShot}, "S"},
    {"GarbageAfterPacketInSameRead", {kInvite + "junk", kShot}, "CS"},
    {"GarbageLookingLikeABeginPrefix", {kInvite + "TWKBEGX", kShot}, "CS"},
    {"GarbageInFrontInSameReadSwallows", {"xyz|" + kInvite, kShot}, "S"},
    {"SeparatorAfterEndFieldStartsTheNextRead", {"TWKBEGP3|C|Ann|10|TWKENDP", "|" + kShot}, "CS"},
    {"SeparatorAfterEndFieldArrivesAlone", {"TWKBEGP3|C|Ann|10|TWKENDP", "|", kShot}, "CS"},
    {"EightFieldsCompletedBySeparator", {"TWKBEGP3|P|a|b|c|d|e|f", "|TWKENDP|" + kShot}, "PS"},
    {"OtherProtocolDigit", {"TWKBEGP2|C|Ann|10|TWKENDP|", kShot}, "S"},
    {"BeginPrefixThenOtherText", {"TWKBEG", "Q|S|3|7|TWKENDP|", kShot}, "S"},
    {"EmptyTypeFieldSwallowsAndIsSkipped", {"TWKBEGP3||TWKENDP|" + kInvite + kShot}, "S"},
    {"EmptyReadsChangeNothing", {"TWKBEGP3|S|3", "", "|7|TWKENDP|", ""}, "S"},
};

void PrintTo(const ChunksCase &c, std::ostream *os)
{
    *os << c.name;
}

class PacketReaderChunksTest : public testing::TestWithParam<ChunksCase>
{};

TEST_P(PacketReaderChunksTest, types)
{
    EXPECT_EQ(types(readChunks(GetParam().chunks)), GetParam().types);
}

INSTANTIATE_TEST_SUITE_P(Cases, PacketReaderChunksTest, testing::ValuesIn(kChunksCases),
                         [](const auto &param) { return std::string(param.param.name); });

struct TailCase
{
    QByteArray read;
    const char *types;
    qsizetype held; // bytes kept for the next read
};

// What is kept after a read: only a packet in progress or a prefix of a
// begin field.
TEST(PacketReader, KeepsOnlyAPacketInProgress)
{
    const TailCase cases[] = {
        {"T", "", 1},
        {"TWKB", "", 4},
        {"TWKBEGP3", "", 8},
        {"TWKBEGP3|", "", 9},
        {"TWKBEGP3|C", "", 10},
        {"TWKBEGP3|C|Ann|10|TWKEND", "", 24},
        {"TWKBEGP3|P|a|b|c|d|e|f", "", 22},
        {"TWKBEGP3|C|Ann|10|TWKENDP", "", 25},
        {"TWKBEGP3|P|a|b|c|d|e|f|", "P", 0},
        {"TWKBEGP3|S|1|2|TWKENDP|TWKBE", "S", 5},
        {"TWKBEGP3|S|1|2|TWKENDP|junk", "S", 0},
        {"xTWKB", "", 0},
        {"TWKBEGQ", "", 0},
        {"TWKBEGP2|C|", "", 0},
        {"TWKBEGP3X|C|", "", 0},
        {"junk|TWKBEGP3|S|1", "", 0},
        {"|", "", 0},
    };
    for (const TailCase &c : cases) {
        SCOPED_TRACE(c.read.constData());
        PacketReader reader;
        reader.append(c.read);
        EXPECT_EQ(types(drain(reader)), c.types);
        EXPECT_EQ(reader.heldBytes(), c.held);
    }
}

TEST(PacketReader, EmptiesTheSlotsBeforeEachPacket)
{
    PacketReader reader;
    reader.append("TWKBEGP3|P|Ann|10|BOARD|Y|1|TWKENDP|TWKBEGP3|P|Bob|TWKENDP|");
    const std::vector<Got> got = drain(reader);
    ASSERT_EQ(types(got), "PP");
    EXPECT_EQ(got[1].values,
              (std::vector<QByteArray>{"TWKBEGP3", "P", "Bob", "TWKENDP", "", "", "", ""}));
}

TEST(PacketReader, PendingPacketOverTheLimitIsDropped)
{
    constexpr qsizetype limit = 100;
    const QByteArray head = "TWKBEGP3|M|Ann|";

    PacketReader atLimit(limit);
    atLimit.append(head + QByteArray(limit - head.size(), 'x'));
    EXPECT_EQ(types(drain(atLimit)), "");
    EXPECT_EQ(atLimit.heldBytes(), limit);
    atLimit.append("|TWKENDP|");
    EXPECT_EQ(types(drain(atLimit)), "M");

    PacketReader overLimit(limit);
    overLimit.append(head + QByteArray(limit - head.size() + 1, 'x'));
    EXPECT_EQ(types(drain(overLimit)), "");
    EXPECT_EQ(overLimit.heldBytes(), 0);
    // The rest of the dropped packet is text without a begin field; it
    // ends with its end field, and the packets after it come through.
    overLimit.append("yyy|TWKENDP|" + kShot);
    EXPECT_EQ(types(drain(overLimit)), "S");
}

TEST(PacketReader, LongChatPacketInManyReadsArrivesWhole)
{
    const QByteArray message(60000, 'z');
    const QByteArray packet = "TWKBEGP3|M|Ann|" + message + "|TWKENDP|";
    std::vector<QByteArray> chunks;
    for (qsizetype at = 0; at < packet.size(); at += 1000)
        chunks.push_back(packet.mid(at, 1000));
    const std::vector<Got> got = readChunks(chunks);
    ASSERT_EQ(types(got), "M");
    EXPECT_EQ(got[0].values[3], message);
}

TEST(PacketReader, EndlessPacketNeverHoldsMoreThanTheLimit)
{
    PacketReader reader;
    reader.append("TWKBEGP3|M|Ann|");
    const QByteArray chunk(4096, 'g');
    for (int i = 0; i < 256; ++i) { // a megabyte without a separator
        reader.append(chunk);
        EXPECT_EQ(types(drain(reader)), "");
        ASSERT_LE(reader.heldBytes(), reader.pendingLimit());
    }
    reader.append("|TWKENDP|");
    EXPECT_EQ(types(drain(reader)), "");
    reader.append(kInvite);
    EXPECT_EQ(types(drain(reader)), "C");
}

// A handler may run nested event loops that deliver the next read while the
// outer loop over next() is still open; packets still come in order.
TEST(PacketReader, ReadDuringAHandlerKeepsTheOrder)
{
    PacketReader reader;
    reader.append(kInvite + "TWKBEGP3|S|1|1|TWKENDP|TWKBEGP3|S|2");
    PacketFields fields;
    std::vector<QByteArray> order;
    for (char type; (type = reader.next(fields)) != kNoPacket;) {
        order.push_back(type + fields.payload(1));
        if (type == 'C') {
            reader.append("|2|TWKENDP|TWKBEGP3|S|3|3|TWKENDP|");
            for (char inner; (inner = reader.next(fields)) != kNoPacket;)
                order.push_back(inner + fields.payload(1));
        }
    }
    EXPECT_EQ(order, (std::vector<QByteArray>{"CAnn", "S1", "S2", "S3"}));
}

// A field that merely begins with the end marker does not end the packet,
// wherever the read boundary falls.
TEST(PacketReader, ChatTextBeginningWithTheEndMarker)
{
    const std::vector<Got> got = readChunks({"TWKBEGP3|M|Ann|TWKENDP", "oint|TWKENDP|" + kShot});
    ASSERT_EQ(types(got), "MS");
    EXPECT_EQ(got[0].values[3], "TWKENDPoint");
}

TEST(PacketReader, ClearForgetsPendingText)
{
    PacketReader reader;
    reader.append("TWKBEGP3|S|3");
    reader.clear();
    EXPECT_EQ(reader.heldBytes(), 0);
    reader.append("|7|TWKENDP|");
    EXPECT_EQ(types(drain(reader)), "");
    reader.append(kShot);
    EXPECT_EQ(types(drain(reader)), "S");
}

} // namespace
} // namespace tw
