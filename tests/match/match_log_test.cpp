// SPDX-License-Identifier: GPL-3.0-or-later
// Whole matches against the computer, played through the timer and clicks,
// and the game log they leave, line by line.
#include "common/gamestateaccess.h"
#include "match_fixture.h"
#include "util/localtime.h"

#include <QLocale>

using namespace tw;

namespace {

struct Texts
{
    const char *newGame;
    const char *player;
    const char *opponent;
    const char *start;
    const char *computerShot;
    const char *words[3]; // miss, hit, destroyed
    const char *winnerIs;
    const char *computerWins;
    const char *gameTime;
    const char *placingOf;
    const char *placingOfComputer;
};

const Texts English{"--------------------> New game",
                    "Player: ",
                    "Opponent: computer",
                    "start",
                    "computer: ",
                    {"wrong", "bingo", "ship destroyed"},
                    "the winner is ",
                    "computer wins",
                    "Game time: ",
                    "Ships placing of ",
                    "Ships placing of computer: "};

const Texts Russian{"--------------------> Новая игра",
                    "Игрок: ",
                    "Противник: компьютер",
                    "старт",
                    "компьютер: ",
                    {"мимо", "попадание", "корабль уничтожен"},
                    "победа ",
                    "победа компьютера",
                    "Общее время игры: ",
                    "Расстановка кораблей ",
                    "Расстановка кораблей компьютера: "};

using Entry = FakeHost::LogEntry;

std::vector<Entry> boardRows(const Board &placed, int area)
{
    std::vector<Entry> rows;
    for (int y = 1; y <= area; ++y) {
        QString row = QStringLiteral(" ");
        for (int x = 1; x <= area; ++x)
            row += placed.at(x, y) == CellShip ? u'O' : u'-';
        rows.push_back({row});
    }
    return rows;
}

QString clock(int seconds)
{
    return QString::asprintf("%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
}

class MatchLog : public MatchTest
{};

TEST_F(MatchLog, WholeMatchesWriteTheCatalogueLines)
{
    struct Case
    {
        bool won;
        bool english;
        int area;
        std::uint32_t seed;
    };
    const Case cases[] = {
        {true, true, 10, 1},   {false, true, 10, 2}, {true, false, 10, 3},
        {false, false, 10, 4}, {true, true, 15, 5},  {false, false, 15, 6},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << (c.won ? "won" : "lost") << (c.english ? " English" : " Russian")
                     << " area " << c.area);
        SetUp();
        setEnglish(c.english);
        const Texts &t = c.english ? English : Russian;
        game.boards().areaSize = static_cast<std::uint8_t>(c.area);
        placeOwnFleet(c.seed);
        const Board ownPlaced = game.boards().ownBoard;
        random.seed(c.seed);
        host.clearRecords();
        ASSERT_TRUE(match.begin());
        const Board opponentPlaced = host.generatedFleet;
        const PlayedMatch played = playToTheEnd(c.won ? Player::Sharp : Player::Blind);

        std::vector<Entry> expected{{""},
                                    {utf8(t.newGame)},
                                    {utf8(t.player) + "NewUser"},
                                    {utf8(t.opponent)},
                                    {utf8(t.start), true, true}};
        QStringList memo{tw::shortDateText(host.clock.date()) + u' ' +
                         tw::longTimeText(host.clock.time()) + u' ' + utf8(t.start)};
        for (const Shot &shot : played.shots) {
            const QString line =
                (shot.computer ? utf8(t.computerShot) : QStringLiteral("NewUser: ")) +
                cellText(shot.cell) + u' ' + utf8(t.words[static_cast<int>(shot.outcome)]);
            expected.push_back({line});
            memo << line;
        }
        const QString winner =
            c.won ? utf8(t.winnerIs) + QStringLiteral("NewUser") : utf8(t.computerWins);
        expected.push_back({winner, true, false});
        memo << tw::longTimeText(host.clock.time()) + u' ' + winner;
        expected.push_back({utf8(t.gameTime) + clock(played.ticks - 1)});
        expected.push_back({utf8(t.placingOf) + QStringLiteral("NewUser: ")});
        for (const Entry &row : boardRows(ownPlaced, c.area))
            expected.push_back(row);
        expected.push_back({utf8(t.placingOfComputer)});
        for (const Entry &row : boardRows(opponentPlaced, c.area))
            expected.push_back(row);

        ASSERT_EQ(host.log.size(), expected.size()) << host.logTexts().join(u'\n').toStdString();
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(host.log[i], expected[i])
                << "line " << i << ": " << host.log[i].text.toStdString() << " / expected "
                << expected[i].text.toStdString();
        EXPECT_EQ(host.memo, memo);

        int hits = 0;
        for (const Shot &shot : played.shots)
            hits += !shot.computer && shot.outcome != ShotOutcome::Miss;
        EXPECT_EQ(hits, c.won ? FleetCells : 0);
        EXPECT_EQ(matchOf(game).playerTime + matchOf(game).opponentTime, played.ticks - 1);
    }
}

} // namespace
