// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/players.h"
#include "records/records.h"

#include <cstring>
#include <gtest/gtest.h>
#include <ostream>

[[maybe_unused]] static void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace tw {
namespace {

class PlayersTest : public testing::Test
{
protected:
    PlayersTest() { setDefaultScoreData(m_data); }

    void use(int index, QStringView name, int wins = 0)
    {
        PlayerRecord &r = m_data.players[index - 1];
        setRecordName(r, name);
        r.free = 0;
        r.wins = wins;
    }
    const PlayerRecord &record(int index) const { return m_data.players[index - 1]; }

    ScoreBlock m_data;
};

TEST_F(PlayersTest, UsedNamesInRecordOrder)
{
    EXPECT_TRUE(usedPlayerNames(m_data).isEmpty());
    use(7, u"zed");
    use(2, u"Anna");
    use(50, u"Ёлка");
    setRecordName(m_data.players[3], u"Ghost"); // a free slot keeps its name bytes
    EXPECT_EQ(usedPlayerNames(m_data),
              (QStringList{QStringLiteral("Anna"), QStringLiteral("zed"), QStringLiteral("Ёлка")}));
}

TEST_F(PlayersTest, RemovalMatchesExactlyAndResetsEveryMatch)
{
    use(2, u"Bob", 4);
    use(5, u"bob", 6);
    use(9, u"Bob", 1);
    use(11, u"Bob ", 2);
    use(12, u"Ива", 3);
    use(13, u"ива", 3);

    removePlayers(m_data, {QStringLiteral("Bob"), QStringLiteral("Ива")});

    EXPECT_EQ(record(2).free, 1);
    EXPECT_EQ(record(2).wins, 0);
    EXPECT_EQ(record(9).free, 1);
    EXPECT_EQ(record(12).free, 1);
    EXPECT_EQ(usedPlayerNames(m_data),
              (QStringList{QStringLiteral("bob"), QStringLiteral("Bob "), QStringLiteral("ива")}));
    EXPECT_EQ(record(5).wins, 6);
}

TEST_F(PlayersTest, RemovingNothingChangesNothing)
{
    use(3, u"Ann", 2);
    const ScoreBlock before = m_data;
    removePlayers(m_data, {});
    removePlayers(m_data, {QStringLiteral("Nobody")});
    EXPECT_EQ(std::memcmp(&before, &m_data, sizeof m_data), 0);
}

TEST(normalizedPlayerName, Cases)
{
    struct Case
    {
        QString typed;
        QString expected;
    };
    const Case cases[] = {
        {QString(), QStringLiteral("NewUser")},
        {QStringLiteral("Sea|Wolf"), QStringLiteral("Sea Wolf")},
        {QStringLiteral("|"), QStringLiteral(" ")},
        {QStringLiteral("  padded  "), QStringLiteral("  padded  ")},
        {QStringLiteral("Капитан|Немо"), QStringLiteral("Капитан Немо")},
        {QString(40, u'x'), QString(32, u'x')},
        // Characters a name cannot be stored with never reach it, and a name
        // made only of them is no name.
        {QStringLiteral("日本"), QStringLiteral("NewUser")},
        {QStringLiteral("A日B"), QStringLiteral("AB")},
        {QString(31, u'y') + QStringLiteral("日zz"), QString(31, u'y') + QStringLiteral("z")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(normalizedPlayerName(c.typed), c.expected) << c.typed.toStdString();
}

} // namespace
} // namespace tw
