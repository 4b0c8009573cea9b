// Whole matches against the computer, played through the timer and clicks,
// and the game log they leave, line by line.
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

std::vector<Entry> BoardRows(const TBoard &placed, int area)
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

QString Clock(int seconds)
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
        SetEnglish(c.english);
        const Texts &t = c.english ? English : Russian;
        game.boards.AreaSize = static_cast<std::uint8_t>(c.area);
        PlaceOwnFleet(c.seed);
        const TBoard ownPlaced = game.boards.OwnBoard;
        random.seed(c.seed);
        host.ClearRecords();
        ASSERT_TRUE(match.Begin());
        const TBoard opponentPlaced = host.generatedFleet;
        const PlayedMatch played = PlayToTheEnd(c.won ? Player::Sharp : Player::Blind);

        std::vector<Entry> expected{{""},
                                    {Utf8(t.newGame)},
                                    {Utf8(t.player) + "NewUser"},
                                    {Utf8(t.opponent)},
                                    {Utf8(t.start), true, true}};
        QStringList memo{tw::ShortDateText(host.now.date()) + u' ' +
                         tw::LongTimeText(host.now.time()) + u' ' + Utf8(t.start)};
        for (const Shot &shot : played.shots) {
            const QString line =
                (shot.computer ? Utf8(t.computerShot) : QStringLiteral("NewUser: ")) +
                CellText(shot.cell) + u' ' + Utf8(t.words[static_cast<int>(shot.outcome)]);
            expected.push_back({line});
            memo << line;
        }
        const QString winner =
            c.won ? Utf8(t.winnerIs) + QStringLiteral("NewUser") : Utf8(t.computerWins);
        expected.push_back({winner, true, false});
        memo << tw::LongTimeText(host.now.time()) + u' ' + winner;
        expected.push_back({Utf8(t.gameTime) + Clock(played.ticks - 1)});
        expected.push_back({Utf8(t.placingOf) + QStringLiteral("NewUser: ")});
        for (const Entry &row : BoardRows(ownPlaced, c.area))
            expected.push_back(row);
        expected.push_back({Utf8(t.placingOfComputer)});
        for (const Entry &row : BoardRows(opponentPlaced, c.area))
            expected.push_back(row);

        ASSERT_EQ(host.log.size(), expected.size()) << host.LogTexts().join(u'\n').toStdString();
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(host.log[i], expected[i])
                << "line " << i << ": " << host.log[i].text.toStdString() << " / expected "
                << expected[i].text.toStdString();
        EXPECT_EQ(host.memo, memo);

        int hits = 0;
        for (const Shot &shot : played.shots)
            hits += !shot.computer && shot.outcome != ShotOutcome::Miss;
        EXPECT_EQ(hits, c.won ? FleetCells : 0);
        EXPECT_EQ(game.match.PlayerTime + game.match.OpponentTime, played.ticks - 1);
    }
}

} // namespace
