// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/records.h"
#include "records/statistics.h"

#include <QStringList>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <ostream>

[[maybe_unused]] static void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace tw {
namespace {

// Fixed formats, so the text does not depend on the machine's locale.
const StatsFormat format(QLocale::c(), QStringLiteral("dd.MM.yyyy"), QStringLiteral("HH:mm:ss"));

struct Player
{
    const char16_t *name;
    int wins = 0;
    int losses = 0;
    int longest = 0;
    int shortest = NoShortestBattle;
    int top = 0;
};

class StatisticsTextTest : public testing::Test
{
protected:
    StatisticsTextTest() { setDefaultScoreData(m_data); }

    PlayerRecord &use(int index, const Player &p)
    {
        PlayerRecord &r = m_data.players[index - 1];
        setRecordName(r, p.name);
        r.free = 0;
        r.wins = p.wins;
        r.losses = p.losses;
        r.longestBattle = p.longest;
        r.shortestBattle = p.shortest;
        r.topScore = p.top;
        r.lastGame = m_lastGame;
        return r;
    }

    QString text(const QString &remark = {}, bool english = true) const
    {
        return statisticsText(m_data, remark, english, format);
    }

    // The lines of the text that begin with prefix.
    QStringList linesStarting(const QString &prefix) const
    {
        QStringList found;
        for (const QString &line : text().split(u'|')) {
            if (line.startsWith(prefix))
                found.append(line);
        }
        return found;
    }

    ScoreBlock m_data;
    double m_lastGame =
        oleDateFromDateTime(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9), Qt::LocalTime));
};

TEST_F(StatisticsTextTest, NoPlayersGiveOnlyTheNameBetweenEmptyLines)
{
    EXPECT_EQ(text(), QStringLiteral("|Tarnwake™|||"));
    EXPECT_EQ(text(QStringLiteral("You won!|Score: 120")),
              QStringLiteral("You won!|Score: 120||Tarnwake™|||"));
}

TEST_F(StatisticsTextTest, WholeTextOfOnePlayerWithoutCountedBattle)
{
    // Record 1 in use with nothing better anywhere: it holds every record,
    // the shortest battle with the "none yet" marker shown as a duration.
    use(1, {u"Ann", 0, 2});
    EXPECT_EQ(text(QStringLiteral("Aborted")),
              QStringLiteral("Aborted||Tarnwake™||"
                             "Most winner: Ann (0)||"
                             "Most looser: Ann (2)||"
                             "The longest battle: Ann (00:00:00)||"
                             "The shortest battle: Ann (24855d 03:14:07)||"
                             "Top score: Ann (0)||"
                             "Ann - last game: 05.03.2024 14:07:09, overall skill: -2, 0|"
                             "|"));
}

TEST_F(StatisticsTextTest, RussianText)
{
    use(1, {u"Иван", 3, 5, 90061, 61, 40});
    EXPECT_EQ(text({}, false), QStringLiteral("|Tarnwake™||"
                                              "Больше всего побед: Иван (3)||"
                                              "Больше всего проигрышей: Иван (5)||"
                                              "Самая длинная схватка: Иван (1d 01:01:01)||"
                                              "Самая короткая схватка: Иван (00:01:01)||"
                                              "Больше всего очков: Иван (40)||"
                                              "Иван - последняя игра: 05.03.2024 14:07:09, "
                                              "общий рейтинг: -2, 40|"
                                              "|"));
}

TEST_F(StatisticsTextTest, WhileRecordOneIsFreeOnlyStrictlyBetterValuesAreNamed)
{
    use(2, {u"Bob", 0, 0, 0, NoShortestBattle, 0});
    use(3, {u"Cid", 0, 1, 0, NoShortestBattle, 0});
    EXPECT_TRUE(linesStarting(QStringLiteral("Most winner: ")).isEmpty());
    EXPECT_EQ(linesStarting(QStringLiteral("Most looser: ")),
              QStringList{QStringLiteral("Most looser: Cid (1)")});
    EXPECT_TRUE(linesStarting(QStringLiteral("The longest battle: ")).isEmpty());
    EXPECT_TRUE(linesStarting(QStringLiteral("The shortest battle: ")).isEmpty());
    EXPECT_TRUE(linesStarting(QStringLiteral("Top score: ")).isEmpty());
}

TEST_F(StatisticsTextTest, TiesGoToTheLowerRecord)
{
    use(4, {u"Dan", 7, 2, 300, 20, 55});
    use(9, {u"Eve", 7, 2, 300, 20, 55});
    for (const char *label : {"Most winner: ", "Most looser: ", "The longest battle: ",
                              "The shortest battle: ", "Top score: "}) {
        const QStringList lines = linesStarting(QString::fromLatin1(label));
        ASSERT_EQ(lines.size(), 1) << label;
        EXPECT_TRUE(lines[0].startsWith(QString::fromLatin1(label) + QStringLiteral("Dan (")))
            << lines[0].toStdString();
    }
}

TEST_F(StatisticsTextTest, EachRecordGoesToItsBestPlayer)
{
    use(1, {u"Ann", 1, 9, 50, 50, 10});
    use(2, {u"Bob", 8, 0, 40, 30, 20});
    use(3, {u"Cid", 2, 2, 900, 700, 5});
    m_data.players[4].wins = 99; // a free slot's figures never count
    m_data.players[4].topScore = 999;
    EXPECT_EQ(linesStarting(QStringLiteral("Most winner: ")),
              QStringList{QStringLiteral("Most winner: Bob (8)")});
    EXPECT_EQ(linesStarting(QStringLiteral("Most looser: ")),
              QStringList{QStringLiteral("Most looser: Ann (9)")});
    EXPECT_EQ(linesStarting(QStringLiteral("The longest battle: ")),
              QStringList{QStringLiteral("The longest battle: Cid (00:15:00)")});
    EXPECT_EQ(linesStarting(QStringLiteral("The shortest battle: ")),
              QStringList{QStringLiteral("The shortest battle: Bob (00:00:30)")});
    EXPECT_EQ(linesStarting(QStringLiteral("Top score: ")),
              QStringList{QStringLiteral("Top score: Bob (20)")});
    // One line per used record, in record order.
    const QStringList players = text().split(u'|').filter(QStringLiteral(" - last game: "));
    ASSERT_EQ(players.size(), 3);
    EXPECT_TRUE(players[0].startsWith(QStringLiteral("Ann - ")));
    EXPECT_TRUE(players[1].startsWith(QStringLiteral("Bob - ")));
    EXPECT_TRUE(players[2].startsWith(QStringLiteral("Cid - ")));
    EXPECT_TRUE(players[0].endsWith(QStringLiteral("overall skill: -8, 10")));
}

TEST_F(StatisticsTextTest, SkillOfExtremeCountsDoesNotOverflow)
{
    // Only a damaged score file holds such counts.
    use(1, {u"Max", std::numeric_limits<std::int32_t>::max(), -1});
    EXPECT_TRUE(text().contains(QStringLiteral("overall skill: 2147483648, ")));
}

TEST(StatsFormat, LocaleShortDateAndLongTimeWithoutZone)
{
    const QDateTime when(QDate(2024, 3, 5), QTime(14, 7, 9), Qt::LocalTime);
    const StatsFormat us(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(us.dateText(when), QStringLiteral("3/5/24"));
    EXPECT_EQ(us.timeText(when), QStringLiteral("2:07:09 PM"));
    const StatsFormat ru(QLocale(QLocale::Russian, QLocale::Russia));
    EXPECT_EQ(ru.dateText(when), QStringLiteral("05.03.2024"));
    EXPECT_EQ(ru.timeText(when), QStringLiteral("14:07:09"));
}

TEST(lastGameText, DateWithTimeUnlessMidnight)
{
    const auto ole = [](QDate d, QTime t) {
        return oleDateFromDateTime(QDateTime(d, t, Qt::LocalTime));
    };
    EXPECT_EQ(lastGameText(ole(QDate(2023, 12, 31), QTime(23, 59, 58)), format),
              QStringLiteral("31.12.2023 23:59:58"));
    EXPECT_EQ(lastGameText(ole(QDate(2023, 12, 31), QTime(0, 0)), format),
              QStringLiteral("31.12.2023"));
    EXPECT_EQ(lastGameText(ole(QDate(2023, 12, 31), QTime(0, 0, 1)), format),
              QStringLiteral("31.12.2023 00:00:01"));
    EXPECT_EQ(lastGameText(0.0, format), QStringLiteral("30.12.1899"));
    EXPECT_EQ(lastGameText(std::nan(""), format), QString());
    EXPECT_EQ(lastGameText(1e300, format), QString());
}

} // namespace
} // namespace tw
