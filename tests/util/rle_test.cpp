// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/fileops.h"

#include <QByteArray>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace tw {
namespace {

QByteArray magic()
{
    return QByteArray(RleMagic, 2);
}

QByteArray repeated(qsizetype n, char value)
{
    return QByteArray(n, value);
}

// n bytes in which no three neighbours are equal.
QByteArray noTriples(qsizetype n)
{
    QByteArray bytes(n, Qt::Uninitialized);
    for (qsizetype i = 0; i < n; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 2) % 251);
    return bytes;
}

QByteArray randomBytes(qsizetype n, int alphabet, unsigned seed)
{
    std::mt19937 engine(seed);
    std::uniform_int_distribution<int> pick(0, alphabet - 1);
    QByteArray bytes(n, Qt::Uninitialized);
    for (char &b : bytes)
        b = static_cast<char>(pick(engine));
    return bytes;
}

struct GoldenCase
{
    const char *name;
    QByteArray payload;
    QByteArray units; // after the magic, hexadecimal
};

class RleGolden : public testing::TestWithParam<GoldenCase>
{};

TEST_P(RleGolden, PacksToExactUnitsAndBack)
{
    const GoldenCase &c = GetParam();
    const QByteArray packed = packRleBytes(c.payload);
    EXPECT_EQ(packed.toHex(' '), (magic() + QByteArray::fromHex(c.units)).toHex(' '));
    EXPECT_EQ(unpackRleBytes(packed), c.payload);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, RleGolden,
    testing::Values(
        GoldenCase{"RunThenSingle", "AAAAB", "00 04 41 80 01 42"},
        GoldenCase{"ThreeEqualAtTheEndStayLiteral", "AAA", "80 03 41 41 41"},
        GoldenCase{"LiteralEndsBeforeTriple", "ABCDDDD", "80 03 41 42 43 00 04 44"},
        GoldenCase{"ZeroBlock", QByteArray(7240, '\0'), "1C 48 00"},
        GoldenCase{"LongRunSplitsAt32767", repeated(70000, 7), "7F FF 07 7F FF 07 11 72 07"},
        GoldenCase{"OneByteLiteralBeforeTailTriple", "ABBB", "80 01 41 80 03 42 42 42"},
        GoldenCase{"CappedRunThenOne", repeated(32768, 'Z'), "7F FF 5A 80 01 5A"},
        GoldenCase{"CappedRunThenTailTriple", repeated(32770, 'Z'), "7F FF 5A 80 03 5A 5A 5A"},
        GoldenCase{"CappedRunThenRun", repeated(32771, 'Z'), "7F FF 5A 00 04 5A"},
        GoldenCase{"SingleByte", "A", "80 01 41"}),
    [](const testing::TestParamInfo<GoldenCase> &param) { return std::string(param.param.name); });

TEST(RleChecksum, AbcWithSeed42)
{
    EXPECT_EQ(xorChecksum("abc", 0x42), 0x22);
    EXPECT_EQ(xorChecksum("", 0x42), 0x42);
}

// Walks the units of a packed form and checks what the encoder promises:
// every count between 1 and 32767, nothing cut short.
void expectWellFormed(const QByteArray &packed)
{
    ASSERT_GE(packed.size(), 2);
    qsizetype i = 2;
    while (i < packed.size()) {
        ASSERT_GE(packed.size() - i, 2) << "unit head cut at " << i;
        const auto head = static_cast<quint8>(packed[i]);
        const int count = (head & 0x7F) * 256 + static_cast<quint8>(packed[i + 1]);
        ASSERT_GE(count, 1) << "empty unit at " << i;
        i += 2 + ((head & 0x80) ? count : 1);
        ASSERT_LE(i, packed.size()) << "unit runs past the end";
    }
}

TEST(RleRoundTrip, TrickyPayloads)
{
    const std::vector<std::pair<const char *, QByteArray>> payloads = {
        {"empty", QByteArray()},
        {"two", "AB"},
        {"four equal", "AAAA"},
        {"triple inside literal", "ABCCCD"},
        {"run then literal then run", "AAAAXYZBBBB"},
        {"pattern AAAB", QByteArray("AAAB").repeated(500)},
        {"pattern ABBB", QByteArray("ABBB").repeated(500)},
        {"pairs only", QByteArray("AABB").repeated(500)},
        {"run of 32766", repeated(32766, 1)},
        {"run of 32767", repeated(32767, 1)},
        {"run of 32769", repeated(32769, 1)},
        {"run of 65534", repeated(65534, 1)},
        {"literal of 32767", noTriples(32767)},
        {"literal of 32768", noTriples(32768)},
        {"literal of 100000", noTriples(100000)},
        {"literal then capped run", noTriples(40000) + repeated(40000, 9)},
        {"two-letter noise", randomBytes(50000, 2, 1)},
        {"byte noise", randomBytes(50000, 256, 2)},
    };
    for (const auto &[name, payload] : payloads) {
        SCOPED_TRACE(name);
        const QByteArray packed = packRleBytes(payload);
        expectWellFormed(packed);
        EXPECT_EQ(unpackRleBytes(packed), payload);
    }
}

TEST(RleRoundTrip, LiteralLongerThanOneUnitIsSplit)
{
    const QByteArray packed = packRleBytes(noTriples(32768));
    EXPECT_EQ(packed.mid(2, 2).toHex(), "ffff");
    EXPECT_EQ(packed.mid(2 + 2 + 32767, 2).toHex(), "8001");
    EXPECT_EQ(packed.size(), 2 + 2 + 32767 + 2 + 1);
}

TEST(RleUnpack, RejectsMalformedInput)
{
    const std::vector<std::pair<const char *, QByteArray>> hostile = {
        {"no magic", QByteArray()},
        {"half magic", "Q"},
        {"wrong magic", QByteArray::fromHex("515700044142")},
        {"lone head byte", QByteArray::fromHex("515680")},
        {"repeat without value", QByteArray::fromHex("51560004")},
        {"repeat head cut", QByteArray::fromHex("515600")},
        {"literal one byte short", QByteArray::fromHex("5156800541424344")},
        {"largest literal, no bytes", QByteArray::fromHex("5156ffff")},
        {"good unit then cut unit", QByteArray::fromHex("51560003418002")},
        {"payload beyond the cap", magic() + QByteArray::fromHex("7fff00").repeated(513)},
    };
    for (const auto &[name, packed] : hostile) {
        SCOPED_TRACE(name);
        EXPECT_EQ(unpackRleBytes(packed), std::nullopt);
    }
}

// Short random unit streams hit every way a unit can be cut short; run under
// the sanitizers this shows that no input makes the decoder read past it.
TEST(RleUnpack, RandomUnitStreamsNeverOverrun)
{
    std::mt19937 engine(99);
    std::uniform_int_distribution<int> length(0, 24);
    std::uniform_int_distribution<int> smallCount(0, 6);
    std::uniform_int_distribution<int> anyByte(0, 255);
    int accepted = 0;
    for (int round = 0; round < 5000; ++round) {
        QByteArray packed = magic();
        const int n = length(engine);
        for (int i = 0; i < n; ++i) {
            // Mostly small counts, so that some streams are well formed.
            const bool head = (i % 3 == 0);
            const int value = head           ? (anyByte(engine) & 0x80)
                              : (i % 3 == 1) ? smallCount(engine)
                                             : anyByte(engine);
            packed.append(static_cast<char>(value));
        }
        const auto payload = unpackRleBytes(packed);
        if (payload) {
            ++accepted;
            EXPECT_EQ(unpackRleBytes(packRleBytes(*payload)), payload);
        }
    }
    EXPECT_GT(accepted, 0);
}

TEST(RleUnpack, AcceptsEmptyUnitsAndPayloadAtTheCap)
{
    EXPECT_EQ(unpackRleBytes(magic()), QByteArray());
    EXPECT_EQ(unpackRleBytes(QByteArray::fromHex("51560000418000")), QByteArray());

    const QByteArray atCap =
        magic() + QByteArray::fromHex("7fff00").repeated(512) + QByteArray::fromHex("020000");
    const auto payload = unpackRleBytes(atCap);
    ASSERT_TRUE(payload.has_value());
    EXPECT_EQ(payload->size(), MaxRlePayload);
}

TEST(RleUnpack, ReportsEveryByteWritten)
{
    std::vector<qint64> done;
    qint64 total = 0;
    const auto payload = unpackRleBytes(packRleBytes("AAAAAXYZ"), [&](qint64 t, qint64 d) {
        total = t;
        done.push_back(d);
        return false; // the answer is ignored
    });
    ASSERT_EQ(payload, QByteArray("AAAAAXYZ"));
    EXPECT_EQ(total, 8);
    EXPECT_EQ(done, (std::vector<qint64>{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST(RlePack, ProgressAnswerIsIgnoredAndStaysWithinTotal)
{
    const QByteArray payload = noTriples(1000) + repeated(1000, 3);
    qint64 last = 0;
    bool ordered = true;
    const QByteArray packed = packRleBytes(payload, [&](qint64 total, qint64 done) {
        ordered = ordered && done >= last && done <= total && total == payload.size();
        last = done;
        return false;
    });
    EXPECT_TRUE(ordered);
    EXPECT_EQ(last, payload.size());
    EXPECT_EQ(unpackRleBytes(packed), payload);
}

} // namespace
} // namespace tw
