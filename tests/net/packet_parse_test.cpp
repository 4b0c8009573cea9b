// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/packet.h"
#include "print_bytes.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tw {
namespace {

// One call of parsePacket: its result and all 8 values afterwards.
struct Call
{
    char type;
    std::vector<QByteArray> values;
};

struct ParseCase
{
    const char *name;
    QByteArray input;
    std::vector<Call> calls; // the calls a receiver makes until the text is empty
};

std::vector<QByteArray> slotValues(const PacketFields &fields)
{
    std::vector<QByteArray> all;
    for (int i = 1; i <= kMaxPacketFields; ++i)
        all.push_back(fields.slot(i));
    return all;
}

const QByteArray kBegin = "TWKBEGP3";
const QByteArray kEnd = "TWKENDP";

// A receiver's loop over one read: fresh values, never cleared between calls.
const std::vector<ParseCase> kParseCases = {
    {"TwoPacketsInOneRead",
     "TWKBEGP3|C|Ann|10|TWKENDP|TWKBEGP3|S|3|7|TWKENDP|",
     {{'C', {kBegin, "C", "Ann", "10", kEnd, "", "", ""}},
      {'S', {kBegin, "S", "3", "7", kEnd, "", "", ""}}}},
    {"WordWithoutSeparator", "hello", {{kNoPacket, {"hello", "", "", "", "", "", "", ""}}}},
    {"TextInFrontSwallowsThePacket",
     "xyz|TWKBEGP3|C|Ann|10|TWKENDP|",
     {{kNoPacket, {"xyz", kBegin, "C", "Ann", "10", kEnd, "", ""}}}},
    {"SeparatorInFrontSwallowsThePacket",
     "|TWKBEGP3|C|Ann|10|TWKENDP|",
     {{kNoPacket, {"|TWKBEGP3", "C", "Ann", "10", kEnd, "", "", ""}}}},
    {"EmptyFieldTakesTheNextOne",
     "TWKBEGP3|C||10|TWKENDP|",
     {{'C', {kBegin, "C", "|10", kEnd, "", "", "", ""}}}},
    {"LongTypeCountsByItsFirstLetter",
     "TWKBEGP3|CX|Ann|10|TWKENDP|",
     {{'C', {kBegin, "CX", "Ann", "10", kEnd, "", "", ""}}}},
    {"OtherProtocolDigitIsNoPacket",
     "TWKBEGP2|C|Ann|10|TWKENDP|",
     {{kNoPacket, {"TWKBEGP2", "C", "Ann", "10", kEnd, "", "", ""}}}},
    {"EndFieldFirstEndsTheCall",
     "TWKENDP|TWKBEGP3|S|1|2|TWKENDP|",
     {{kNoPacket, {kEnd, "", "", "", "", "", "", ""}},
      {'S', {kBegin, "S", "1", "2", kEnd, "", "", ""}}}},
    {"EndFieldAsTypeEndsTheCall",
     "TWKBEGP3|TWKENDP|",
     {{'T', {kBegin, kEnd, "", "", "", "", "", ""}}}},
    {"EndFieldAmongPayloadEndsTheCall",
     "TWKBEGP3|M|Ann|TWKENDP|hi|TWKENDP|",
     {{'M', {kBegin, "M", "Ann", kEnd, "", "", "", ""}},
      {kNoPacket, {"hi", kEnd, "Ann", kEnd, "", "", "", ""}}}},
    // The eighth field closes the call; the rest is text without a begin
    // field, and the values it does not reach keep the first packet's fields.
    {"SixPayloadFieldsCutAfterTheEighthField",
     "TWKBEGP3|P|a|b|c|d|e|f|TWKENDP|",
     {{'P', {kBegin, "P", "a", "b", "c", "d", "e", "f"}},
      {kNoPacket, {kEnd, "P", "a", "b", "c", "d", "e", "f"}}}},
    {"SlotsNotReachedKeepTheirValues",
     "TWKBEGP3|P|Ann|10|BOARD|Y|1|TWKENDP|TWKBEGP3|S|3|7|TWKENDP|",
     {{'P', {kBegin, "P", "Ann", "10", "BOARD", "Y", "1", kEnd}},
      {'S', {kBegin, "S", "3", "7", kEnd, "Y", "1", kEnd}}}},
    // A lone begin field reaches no type slot; the type left there by the
    // packet before must not make it a packet.
    {"BeginFieldAloneIsNoPacket",
     "TWKBEGP3|S|3|7|TWKENDP|TWKBEGP3|",
     {{'S', {kBegin, "S", "3", "7", kEnd, "", "", ""}},
      {kNoPacket, {kBegin, "S", "3", "7", kEnd, "", "", ""}}}},
    {"PacketWithoutFinalSeparator",
     "TWKBEGP3|S|3|7|TWKENDP",
     {{'S', {kBegin, "S", "3", "7", kEnd, "", "", ""}}}},
    // Within one call a packet cut short by the end of the text still counts;
    // PacketReader is what waits for the rest.
    {"PacketCutShortByTheText", "TWKBEGP3|C|An", {{'C', {kBegin, "C", "An", "", "", "", "", ""}}}},
    {"GarbageAfterAPacket",
     "TWKBEGP3|S|0|14|TWKENDP|#!junk",
     {{'S', {kBegin, "S", "0", "14", kEnd, "", "", ""}},
      {kNoPacket, {"#!junk", "S", "0", "14", kEnd, "", "", ""}}}},
    {"BytesAboveAscii",
     "TWKBEGP3|M|\xC0\xED\xFF|\xEF\xF0\xE8\xE2\xE5\xF2|TWKENDP|",
     {{'M', {kBegin, "M", "\xC0\xED\xFF", "\xEF\xF0\xE8\xE2\xE5\xF2", kEnd, "", "", ""}}}},
};

void PrintTo(const ParseCase &c, std::ostream *os)
{
    *os << c.name;
}

class ParsePacketTest : public testing::TestWithParam<ParseCase>
{};

TEST_P(ParsePacketTest, CutsLikeTheReceiverLoop)
{
    const ParseCase &c = GetParam();
    QByteArray buffer = c.input;
    PacketFields fields;
    std::vector<Call> calls;
    while (!buffer.isEmpty() && calls.size() <= c.calls.size()) {
        const char type = parsePacket(buffer, fields);
        calls.push_back({type, slotValues(fields)});
    }
    ASSERT_EQ(calls.size(), c.calls.size());
    for (std::size_t i = 0; i < calls.size(); ++i) {
        SCOPED_TRACE("call " + std::to_string(i + 1));
        EXPECT_EQ(calls[i].type, c.calls[i].type);
        EXPECT_EQ(calls[i].values, c.calls[i].values);
    }
}

// The offset form cuts the same text the same way without shortening it.
TEST_P(ParsePacketTest, OffsetFormAgrees)
{
    const ParseCase &c = GetParam();
    PacketFields viaBuffer;
    PacketFields viaOffset;
    QByteArray buffer = c.input;
    qsizetype offset = 0;
    while (!buffer.isEmpty()) {
        const char expected = parsePacket(buffer, viaBuffer);
        EXPECT_EQ(parsePacket(QByteArrayView(c.input), offset, viaOffset), expected);
        EXPECT_EQ(c.input.size() - offset, buffer.size());
        EXPECT_EQ(slotValues(viaOffset), slotValues(viaBuffer));
    }
    EXPECT_EQ(offset, c.input.size());
}

INSTANTIATE_TEST_SUITE_P(Cases, ParsePacketTest, testing::ValuesIn(kParseCases),
                         [](const auto &param) { return std::string(param.param.name); });

TEST(parsePacket, EmptyBufferFindsNothingAndKeepsTheSlots)
{
    PacketFields fields;
    fields.slot(2) = "S";
    QByteArray buffer;
    EXPECT_EQ(parsePacket(buffer, fields), kNoPacket);
    EXPECT_EQ(fields.slot(2), "S");
}

TEST(PacketFields, PayloadFieldKIsSlotKPlusTwo)
{
    QByteArray buffer = "TWKBEGP3|P|Ann|10|BOARD|N|0|TWKENDP|";
    PacketFields fields;
    ASSERT_EQ(parsePacket(buffer, fields), 'P');
    EXPECT_EQ(fields.payload(1), "Ann");
    EXPECT_EQ(fields.payload(2), "10");
    EXPECT_EQ(fields.payload(3), "BOARD");
    EXPECT_EQ(fields.payload(4), "N");
    EXPECT_EQ(fields.payload(5), "0");
    fields.clear();
    for (int i = 1; i <= kMaxPacketFields; ++i)
        EXPECT_TRUE(fields.slot(i).isEmpty()) << i;
}

struct DecimalCase
{
    QByteArray field;
    std::optional<int> value;
};

TEST(decimalField, AcceptsPlainDigitsWithinIntWithoutLeadingZeros)
{
    const DecimalCase cases[] = {
        {"0", 0},
        {"7", 7},
        {"10", 10},
        {"007", std::nullopt},
        {"00", std::nullopt},
        {"2147483647", 2147483647},
        {"2147483648", std::nullopt},
        {"9999999999", std::nullopt},
        {"00000000001", std::nullopt},
        {"", std::nullopt},
        {"-1", std::nullopt},
        {"+1", std::nullopt},
        {" 1", std::nullopt},
        {"1 ", std::nullopt},
        {"1a", std::nullopt},
        {"0x10", std::nullopt},
        {"1.0", std::nullopt},
        {"TWKENDP", std::nullopt},
        {"\xD9\xA1", std::nullopt},
    };
    for (const DecimalCase &c : cases)
        EXPECT_EQ(decimalField(c.field), c.value) << c.field.constData();
}

} // namespace
} // namespace tw
