// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/random.h"
#include "records/records.h"

#include <QTimeZone>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <ostream>

[[maybe_unused]] static void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace tw {
namespace {

bool sameBytes(const PlayerRecord &a, const PlayerRecord &b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(resetPlayerRecord, ClearsTheFiguresAndKeepsTheRest)
{
    ScoreBlock data;
    std::memset(&data, 0xAB, sizeof data);
    resetPlayerRecord(data, 100);

    const PlayerRecord &r = data.players[99];
    EXPECT_EQ(r.name.length, 0);
    EXPECT_EQ(r.wins, 0);
    EXPECT_EQ(r.losses, 0);
    EXPECT_EQ(r.lastGame, 0.0);
    EXPECT_EQ(r.longestBattle, 0);
    EXPECT_EQ(r.shortestBattle, NoShortestBattle);
    EXPECT_EQ(r.topScore, 0);
    EXPECT_EQ(r.free, 1);
    // Name characters, Reserved and padding are left as they were.
    EXPECT_EQ(QByteArray(r.name.chars, 32), QByteArray(32, '\xAB'));
    EXPECT_EQ(r.reserved, static_cast<std::int32_t>(0xABABABAB));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(r.padding1), 3), "\xAB\xAB\xAB");
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(r.padding2), 3), "\xAB\xAB\xAB");
    EXPECT_EQ(data.players[98].free, 0xAB);
}

TEST(normalizeShortString, ZeroesOnlyPastTheLength)
{
    for (const int length : {0, 3, 31, 32, 40}) {
        ShortString s;
        s.length = static_cast<std::uint8_t>(length);
        std::memset(s.chars, 'q', sizeof s.chars);
        normalizeShortString(s);
        const int kept = std::min(length, 32);
        EXPECT_EQ(QByteArray(s.chars, 32), QByteArray(kept, 'q') + QByteArray(32 - kept, '\0'))
            << length;
    }
}

TEST(setDefaultScoreData, FirstStartSettings)
{
    ScoreBlock data;
    std::memset(&data, 0xFF, sizeof data);
    setDefaultScoreData(data);

    EXPECT_EQ(data.musicOn, 1);
    EXPECT_EQ(data.soundOn, 1);
    EXPECT_EQ(data.areaSize, 10);
    EXPECT_EQ(data.englishUi, 1);
    EXPECT_EQ(data.saveLog, 0);
    EXPECT_EQ(playerNameOf(data), QStringLiteral("NewUser"));
    for (int i = 1; i <= PlayerCount; ++i) {
        ScoreBlock expected;
        std::memset(&expected, 0, sizeof expected);
        resetPlayerRecord(expected, i);
        EXPECT_TRUE(sameBytes(data.players[i - 1], expected.players[i - 1])) << i;
    }
    EXPECT_EQ(data.padding[0] | data.padding[1], 0);
}

class FindOrCreatePlayerTest : public testing::Test
{
protected:
    FindOrCreatePlayerTest() { setDefaultScoreData(m_data); }

    PlayerRecord &record(int index) { return m_data.players[index - 1]; }

    void use(int index, QStringView name)
    {
        setRecordName(record(index), name);
        record(index).free = 0;
    }

    int play(QStringView name, bool countBattle, BattleFigures figures = {})
    {
        return findOrCreatePlayer(m_data, name, countBattle, figures, m_random, m_now);
    }

    ScoreBlock m_data;
    Random m_random{7};
    double m_now = 45352.25;
};

TEST_F(FindOrCreatePlayerTest, NewNameTakesTheLowestFreeSlot)
{
    use(1, u"Ann");
    use(3, u"Bob");
    EXPECT_EQ(play(u"Cid", true), 2);
    EXPECT_EQ(recordName(record(2)), QStringLiteral("Cid"));
    EXPECT_EQ(record(2).free, 0);
    EXPECT_EQ(record(2).lastGame, m_now);
}

TEST_F(FindOrCreatePlayerTest, LetterCaseIsIgnoredAndTheLatestSpellingKept)
{
    use(5, u"ИГРОК Ёж");
    use(6, u"alice");
    EXPECT_EQ(play(u"игрок ёЖ", false), 5);
    EXPECT_EQ(recordName(record(5)), QStringLiteral("игрок ёЖ"));
    EXPECT_EQ(play(u"ALICE", false), 6);
    EXPECT_EQ(recordName(record(6)), QStringLiteral("ALICE"));
}

TEST_F(FindOrCreatePlayerTest, HighestMatchingIndexWinsFreeSlotsIncluded)
{
    use(3, u"Bob");
    use(7, u"bob");
    EXPECT_EQ(play(u"Bob", false), 7);

    setRecordName(record(9), u"Eve"); // a free slot that still holds a name
    EXPECT_EQ(play(u"eve", false), 9);
    EXPECT_EQ(record(9).free, 0);
}

TEST_F(FindOrCreatePlayerTest, AbortRecordsTheDateButNoBattle)
{
    const int fresh = play(u"Quitter", false, {30, 40, 500});
    EXPECT_EQ(record(fresh).lastGame, m_now);
    EXPECT_EQ(record(fresh).longestBattle, 0);
    EXPECT_EQ(record(fresh).shortestBattle, NoShortestBattle);
    EXPECT_EQ(record(fresh).topScore, 0);
    EXPECT_EQ(record(fresh).wins + record(fresh).losses, 0); // the caller counts those
}

TEST_F(FindOrCreatePlayerTest, BattleFiguresImproveOnlyWhenStrictlyBetter)
{
    const int index = play(u"Ann", true, {30, 40, 0});
    EXPECT_EQ(record(index).longestBattle, 70);
    EXPECT_EQ(record(index).shortestBattle, 70);
    EXPECT_EQ(record(index).topScore, 0);

    struct Step
    {
        BattleFigures figures;
        std::int32_t longest, shortest, top;
    };
    const Step steps[] = {
        {{35, 35, 50}, 70, 70, 50},
        {{60, 40, 40}, 100, 70, 50},
        {{10, 10, 50}, 100, 20, 50},
        {{0, 0, 51}, 100, 0, 51},
    };
    for (const Step &s : steps) {
        EXPECT_EQ(play(u"ann", true, s.figures), index);
        EXPECT_EQ(record(index).longestBattle, s.longest);
        EXPECT_EQ(record(index).shortestBattle, s.shortest);
        EXPECT_EQ(record(index).topScore, s.top);
    }
}

TEST_F(FindOrCreatePlayerTest, BattleLengthDoesNotOverflow)
{
    const int index = play(u"Ann", true, {std::numeric_limits<std::int32_t>::max(), 10, 0});
    EXPECT_EQ(record(index).longestBattle, std::numeric_limits<std::int32_t>::max());
}

TEST_F(FindOrCreatePlayerTest, FullTableReplacesExactlyOneRecord)
{
    for (int i = 1; i <= PlayerCount; ++i) {
        use(i, QStringLiteral("Player %1").arg(i));
        record(i).wins = i;
    }
    const ScoreBlock before = m_data;
    const int index = play(u"Newcomer", true, {5, 6, 7});
    ASSERT_GE(index, 1);
    ASSERT_LE(index, PlayerCount);

    int changed = 0;
    for (int i = 1; i <= PlayerCount; ++i)
        changed += sameBytes(record(i), before.players[i - 1]) ? 0 : 1;
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(recordName(record(index)), QStringLiteral("Newcomer"));
    EXPECT_EQ(record(index).wins, 0);
    EXPECT_EQ(record(index).longestBattle, 11);
    EXPECT_EQ(record(index).shortestBattle, 11);
}

TEST_F(FindOrCreatePlayerTest, LongNamesAreStoredShortAndFoundAgain)
{
    const QString longName = QStringLiteral("Капитан ").repeated(6) + QStringLiteral("😀");
    const int index = play(longName, false);
    EXPECT_EQ(recordName(record(index)), longName.left(32));
    EXPECT_EQ(play(longName.toUpper(), false), index);
}

TEST(OleDate, KnownDates)
{
    struct Case
    {
        QDateTime local;
        double ole;
    };
    const Case cases[] = {
        {QDateTime(QDate(1899, 12, 30), QTime(0, 0)), 0.0},
        {QDateTime(QDate(1900, 1, 1), QTime(0, 0)), 2.0},
        {QDateTime(QDate(2000, 1, 1), QTime(18, 0)), 36526.75},
        {QDateTime(QDate(1899, 12, 29), QTime(6, 0)), -1.25},
    };
    for (const Case &c : cases) {
        EXPECT_DOUBLE_EQ(oleDateFromDateTime(c.local), c.ole) << c.ole;
        EXPECT_EQ(dateTimeFromOleDate(c.ole), c.local) << c.ole;
    }
}

TEST(OleDate, RoundTripKeepsMilliseconds)
{
    const QDateTime now = QDateTime::currentDateTime();
    EXPECT_EQ(dateTimeFromOleDate(oleDateFromDateTime(now)), now);
    const QDateTime utc = QDateTime(QDate(2024, 6, 1), QTime(12, 0), QTimeZone::utc());
    EXPECT_EQ(dateTimeFromOleDate(oleDateFromDateTime(utc)), utc.toLocalTime());
}

TEST(OleDate, NonsenseGivesAnInvalidDate)
{
    for (const double v : {std::nan(""), HUGE_VAL, -HUGE_VAL, 1e300, 2958466.0, -657435.0})
        EXPECT_FALSE(dateTimeFromOleDate(v).isValid()) << v;
}

} // namespace
} // namespace tw
