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

bool SameBytes(const TPlayerRecord &a, const TPlayerRecord &b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(ResetPlayerRecord, ClearsTheFiguresAndKeepsTheRest)
{
    TScoreData data;
    std::memset(&data, 0xAB, sizeof data);
    ResetPlayerRecord(data, 100);

    const TPlayerRecord &r = data.Players[99];
    EXPECT_EQ(r.Name.Length, 0);
    EXPECT_EQ(r.Wins, 0);
    EXPECT_EQ(r.Losses, 0);
    EXPECT_EQ(r.LastGame, 0.0);
    EXPECT_EQ(r.LongestBattle, 0);
    EXPECT_EQ(r.ShortestBattle, NoShortestBattle);
    EXPECT_EQ(r.TopScore, 0);
    EXPECT_EQ(r.Free, 1);
    // Name characters, Reserved and padding are left as they were.
    EXPECT_EQ(QByteArray(r.Name.Chars, 32), QByteArray(32, '\xAB'));
    EXPECT_EQ(r.Reserved, static_cast<std::int32_t>(0xABABABAB));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(r.Padding1), 3), "\xAB\xAB\xAB");
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(r.Padding2), 3), "\xAB\xAB\xAB");
    EXPECT_EQ(data.Players[98].Free, 0xAB);
}

TEST(NormalizeShortString, ZeroesOnlyPastTheLength)
{
    for (const int length : {0, 3, 31, 32, 40}) {
        TShortString s;
        s.Length = static_cast<std::uint8_t>(length);
        std::memset(s.Chars, 'q', sizeof s.Chars);
        NormalizeShortString(s);
        const int kept = std::min(length, 32);
        EXPECT_EQ(QByteArray(s.Chars, 32), QByteArray(kept, 'q') + QByteArray(32 - kept, '\0'))
            << length;
    }
}

TEST(SetDefaultScoreData, FirstStartSettings)
{
    TScoreData data;
    std::memset(&data, 0xFF, sizeof data);
    SetDefaultScoreData(data);

    EXPECT_EQ(data.MusicOn, 1);
    EXPECT_EQ(data.SoundOn, 1);
    EXPECT_EQ(data.AreaSize, 10);
    EXPECT_EQ(data.EnglishUI, 1);
    EXPECT_EQ(data.SaveLog, 0);
    EXPECT_EQ(PlayerNameOf(data), QStringLiteral("NewUser"));
    for (int i = 1; i <= PlayerCount; ++i) {
        TScoreData expected;
        std::memset(&expected, 0, sizeof expected);
        ResetPlayerRecord(expected, i);
        EXPECT_TRUE(SameBytes(data.Players[i - 1], expected.Players[i - 1])) << i;
    }
    EXPECT_EQ(data.Padding[0] | data.Padding[1], 0);
}

class FindOrCreatePlayerTest : public testing::Test
{
protected:
    FindOrCreatePlayerTest() { SetDefaultScoreData(m_data); }

    TPlayerRecord &record(int index) { return m_data.Players[index - 1]; }

    void use(int index, QStringView name)
    {
        SetRecordName(record(index), name);
        record(index).Free = 0;
    }

    int play(QStringView name, bool countBattle, BattleFigures figures = {})
    {
        return FindOrCreatePlayer(m_data, name, countBattle, figures, m_random, m_now);
    }

    TScoreData m_data;
    Random m_random{7};
    double m_now = 45352.25;
};

TEST_F(FindOrCreatePlayerTest, NewNameTakesTheLowestFreeSlot)
{
    use(1, u"Ann");
    use(3, u"Bob");
    EXPECT_EQ(play(u"Cid", true), 2);
    EXPECT_EQ(RecordName(record(2)), QStringLiteral("Cid"));
    EXPECT_EQ(record(2).Free, 0);
    EXPECT_EQ(record(2).LastGame, m_now);
}

TEST_F(FindOrCreatePlayerTest, LetterCaseIsIgnoredAndTheLatestSpellingKept)
{
    use(5, u"ИГРОК Ёж");
    use(6, u"alice");
    EXPECT_EQ(play(u"игрок ёЖ", false), 5);
    EXPECT_EQ(RecordName(record(5)), QStringLiteral("игрок ёЖ"));
    EXPECT_EQ(play(u"ALICE", false), 6);
    EXPECT_EQ(RecordName(record(6)), QStringLiteral("ALICE"));
}

TEST_F(FindOrCreatePlayerTest, HighestMatchingIndexWinsFreeSlotsIncluded)
{
    use(3, u"Bob");
    use(7, u"bob");
    EXPECT_EQ(play(u"Bob", false), 7);

    SetRecordName(record(9), u"Eve"); // a free slot that still holds a name
    EXPECT_EQ(play(u"eve", false), 9);
    EXPECT_EQ(record(9).Free, 0);
}

TEST_F(FindOrCreatePlayerTest, AbortRecordsTheDateButNoBattle)
{
    const int fresh = play(u"Quitter", false, {30, 40, 500});
    EXPECT_EQ(record(fresh).LastGame, m_now);
    EXPECT_EQ(record(fresh).LongestBattle, 0);
    EXPECT_EQ(record(fresh).ShortestBattle, NoShortestBattle);
    EXPECT_EQ(record(fresh).TopScore, 0);
    EXPECT_EQ(record(fresh).Wins + record(fresh).Losses, 0); // the caller counts those
}

TEST_F(FindOrCreatePlayerTest, BattleFiguresImproveOnlyWhenStrictlyBetter)
{
    const int index = play(u"Ann", true, {30, 40, 0});
    EXPECT_EQ(record(index).LongestBattle, 70);
    EXPECT_EQ(record(index).ShortestBattle, 70);
    EXPECT_EQ(record(index).TopScore, 0);

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
        EXPECT_EQ(record(index).LongestBattle, s.longest);
        EXPECT_EQ(record(index).ShortestBattle, s.shortest);
        EXPECT_EQ(record(index).TopScore, s.top);
    }
}

TEST_F(FindOrCreatePlayerTest, BattleLengthDoesNotOverflow)
{
    const int index = play(u"Ann", true, {std::numeric_limits<std::int32_t>::max(), 10, 0});
    EXPECT_EQ(record(index).LongestBattle, std::numeric_limits<std::int32_t>::max());
}

TEST_F(FindOrCreatePlayerTest, FullTableReplacesExactlyOneRecord)
{
    for (int i = 1; i <= PlayerCount; ++i) {
        use(i, QStringLiteral("Player %1").arg(i));
        record(i).Wins = i;
    }
    const TScoreData before = m_data;
    const int index = play(u"Newcomer", true, {5, 6, 7});
    ASSERT_GE(index, 1);
    ASSERT_LE(index, PlayerCount);

    int changed = 0;
    for (int i = 1; i <= PlayerCount; ++i)
        changed += SameBytes(record(i), before.Players[i - 1]) ? 0 : 1;
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(RecordName(record(index)), QStringLiteral("Newcomer"));
    EXPECT_EQ(record(index).Wins, 0);
    EXPECT_EQ(record(index).LongestBattle, 11);
    EXPECT_EQ(record(index).ShortestBattle, 11);
}

TEST_F(FindOrCreatePlayerTest, LongNamesAreStoredShortAndFoundAgain)
{
    const QString longName = QStringLiteral("Капитан ").repeated(6) + QStringLiteral("😀");
    const int index = play(longName, false);
    EXPECT_EQ(RecordName(record(index)), longName.left(32));
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
        EXPECT_DOUBLE_EQ(OleDateFromDateTime(c.local), c.ole) << c.ole;
        EXPECT_EQ(DateTimeFromOleDate(c.ole), c.local) << c.ole;
    }
}

TEST(OleDate, RoundTripKeepsMilliseconds)
{
    const QDateTime now = QDateTime::currentDateTime();
    EXPECT_EQ(DateTimeFromOleDate(OleDateFromDateTime(now)), now);
    const QDateTime utc = QDateTime(QDate(2024, 6, 1), QTime(12, 0), QTimeZone::utc());
    EXPECT_EQ(DateTimeFromOleDate(OleDateFromDateTime(utc)), utc.toLocalTime());
}

TEST(OleDate, NonsenseGivesAnInvalidDate)
{
    for (const double v : {std::nan(""), HUGE_VAL, -HUGE_VAL, 1e300, 2958466.0, -657435.0})
        EXPECT_FALSE(DateTimeFromOleDate(v).isValid()) << v;
}

} // namespace
} // namespace tw
