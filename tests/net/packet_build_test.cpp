// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/packet.h"
#include "print_bytes.h"

#include <gtest/gtest.h>
#include <vector>

namespace tw {
namespace {

class FakeSink : public PacketSink
{
public:
    bool active = true;
    std::vector<QByteArray> writes;

    bool isActive() const override { return active; }
    void write(const QByteArray &bytes) override { writes.push_back(bytes); }
};

QByteArray sent(const QByteArray &body)
{
    FakeSink sink;
    sendPacket(sink, body);
    return sink.writes.size() == 1 ? sink.writes.front() : QByteArray("<not one write>");
}

// A 225-letter board text as the model writes it: letters from "A" on.
QString boardText()
{
    QString text;
    for (int i = 0; i < 225; ++i)
        text += QLatin1Char(static_cast<char>('A' + i % 7));
    return text;
}

TEST(PacketHead, IsBeginFieldAndType)
{
    EXPECT_EQ(makePacketHead('C'), "TWKBEGP3|C|");
    EXPECT_EQ(makePacketHead('M'), "TWKBEGP3|M|");
}

struct GoldenCase
{
    const char *name;
    QByteArray sent;
    QByteArray expected;
};

TEST(PacketBuilders, GoldenBytes)
{
    const QByteArray board = boardText().toLatin1();
    const GoldenCase cases[] = {
        {"invite", sent(makeConnectionInvite(u"Ann", 10)), "TWKBEGP3|C|Ann|10|TWKENDP|"},
        {"invite with its return port", sent(makeConnectionInvite(u"Ann", 10, 8171)),
         "TWKBEGP3|C|Ann|10|R8171|TWKENDP|"},
        {"user info", sent(makeUserInfoChange(u"Bob", 15)), "TWKBEGP3|U|Bob|15|TWKENDP|"},
        {"invitation", sent(makeInvitation(u"Ann", 10, boardText())),
         "TWKBEGP3|P|Ann|10|" + board + "|Y|1T|TWKENDP|"},
        {"accepting reply, replier first", sent(makeAreaData(u"Ann", 10, boardText(), true, '1')),
         "TWKBEGP3|P|Ann|10|" + board + "|Y|1|TWKENDP|"},
        {"accepting reply", sent(makeAreaData(u"Bob", 10, boardText(), true, '0')),
         "TWKBEGP3|P|Bob|10|" + board + "|Y|0|TWKENDP|"},
        {"refusal", sent(makeAreaData(u"Bob", 12, boardText(), false, '1')),
         "TWKBEGP3|P|Bob|12|" + board + "|N|1|TWKENDP|"},
        {"aborted", sent(makeGameAborted(u"Ann", 10)), "TWKBEGP3|A|Ann|10|TWKENDP|"},
        {"shot", sent(makeShotData(3, 7)), "TWKBEGP3|S|3|7|TWKENDP|"},
        {"shot corner", sent(makeShotData(14, 0)), "TWKBEGP3|S|14|0|TWKENDP|"},
        {"aim", sent(makeTargetCoords(0, 9)), "TWKBEGP3|T|0|9|TWKENDP|"},
        {"chat", sent(makeChatMessage(u"Ann", u"good luck")), "TWKBEGP3|M|Ann|good luck|TWKENDP|"},
        {"chat of blanks", sent(makeChatMessage(u"Ann", u"   ")), "TWKBEGP3|M|Ann|   |TWKENDP|"},
        {"Cyrillic name and text", sent(makeChatMessage(u"Аня", u"привет")),
         "TWKBEGP3|M|\xC0\xED\xFF|\xEF\xF0\xE8\xE2\xE5\xF2|TWKENDP|"},
        {"Cyrillic name in invite", sent(makeConnectionInvite(u"Ёж", 10)),
         "TWKBEGP3|C|\xA8\xE6|10|TWKENDP|"},
        // The framing holds whatever the caller passes.
        {"separator in chat", sent(makeChatMessage(u"Ann", u"a|b")), "TWKBEGP3|M|Ann|a b|TWKENDP|"},
        {"separator in name", sent(makeUserInfoChange(u"|x|", 10)), "TWKBEGP3|U| x |10|TWKENDP|"},
        {"empty text", sent(makeChatMessage(u"Ann", u"")), "TWKBEGP3|M|Ann| |TWKENDP|"},
        {"separator as start digit", sent(makeAreaData(u"Bob", 10, u"AB", false, '|')),
         "TWKBEGP3|P|Bob|10|AB|N| |TWKENDP|"},
        {"text outside the code page", sent(makeChatMessage(u"Ann", u"\u4e2d")),
         "TWKBEGP3|M|Ann| |TWKENDP|"},
    };
    for (const GoldenCase &c : cases)
        EXPECT_EQ(c.sent, c.expected) << c.name;
}

TEST(PacketBuilders, ReturnPortFieldIsAnRAndAPort)
{
    const std::pair<QByteArray, std::optional<quint16>> cases[] = {
        {"R8171", 8171},          {"R1", 1},
        {"R65535", 65535},        {"R08170", std::nullopt},
        {"R09001", std::nullopt}, {"R0", std::nullopt},
        {"R65536", std::nullopt}, {"R", std::nullopt},
        {"8171", std::nullopt},   {"r8171", std::nullopt},
        {"R 8171", std::nullopt}, {"R8171x", std::nullopt},
        {"R-1", std::nullopt},    {"R123456789012", std::nullopt},
    };
    for (const auto &[field, port] : cases)
        EXPECT_EQ(returnPortField(field), port) << field.constData();
}

TEST(PacketBuilders, InvitationIsWithinItsSizeBound)
{
    const QString longestName(32, QLatin1Char('n'));
    EXPECT_EQ(sent(makeAreaData(longestName, 15, boardText(), true, '1')).size(), 285);
    // The marker after the start digit is the one byte more.
    EXPECT_EQ(sent(makeInvitation(longestName, 15, boardText())).size(), 286);
}

// What a builder writes, the reader gives back field for field.
TEST(PacketBuilders, ReaderGivesBackTheFields)
{
    FakeSink sink;
    sendPacket(sink, makeAreaData(u"Ёж", 13, boardText(), false, '0'));
    sendPacket(sink, makeTargetCoords(12, 4));
    PacketReader reader;
    for (const QByteArray &w : sink.writes)
        reader.append(w);

    PacketFields fields;
    ASSERT_EQ(reader.next(fields), PacketType::AreaData);
    EXPECT_EQ(fields.payload(1), "\xA8\xE6");
    EXPECT_EQ(decimalField(fields.payload(2)), 13);
    EXPECT_EQ(fields.payload(3), boardText().toLatin1());
    EXPECT_EQ(fields.payload(4), "N");
    EXPECT_EQ(fields.payload(5), "0");

    ASSERT_EQ(reader.next(fields), PacketType::TargetCoords);
    EXPECT_EQ(decimalField(fields.payload(1)), 12);
    EXPECT_EQ(decimalField(fields.payload(2)), 4);
    EXPECT_EQ(reader.next(fields), kNoPacket);
}

TEST(sendPacket, WritesNothingWhileInactive)
{
    FakeSink sink;
    sink.active = false;
    sendPacket(sink, makeShotData(1, 2));
    EXPECT_TRUE(sink.writes.empty());
}

TEST(sendPacket, WritesThePacketInOneWrite)
{
    FakeSink sink;
    sendPacket(sink, makeChatMessage(u"Ann", QString(500, QLatin1Char('w'))));
    ASSERT_EQ(sink.writes.size(), 1u);
    EXPECT_TRUE(sink.writes.front().endsWith("|TWKENDP|"));
}

} // namespace
} // namespace tw
