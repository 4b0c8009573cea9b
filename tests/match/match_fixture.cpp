#include "match_fixture.h"

#include "records/records.h"

namespace tw {

namespace {

std::uint8_t CodeOf(char c)
{
    switch (c) {
    case '#':
        return CellIntact;
    case 'x':
        return CellHit;
    case 'o':
        return CellMiss;
    case 'S':
        return CellShip;
    default:
        return CellWater;
    }
}

bool Open(std::uint8_t code)
{
    return code == CellWater || code == CellIntact;
}

} // namespace

TBoard BoardFromRows(std::uint8_t background, int area, std::initializer_list<const char *> rows)
{
    TBoard board;
    board.fill(CellWater);
    for (int x = 1; x <= area; ++x)
        for (int y = 1; y <= area; ++y)
            board.at(x, y) = background;
    int y = 1;
    for (const char *row : rows) {
        for (int x = 1; row[x - 1] != '\0'; ++x)
            if (row[x - 1] != ' ')
                board.at(x, y) = CodeOf(row[x - 1]);
        ++y;
    }
    return board;
}

TBoard BoardFromRows(std::initializer_list<const char *> rows)
{
    return BoardFromRows(CellWater, BoardSide, rows);
}

QString CellText(Cell cell)
{
    return QChar(u'A' + cell.y - 1) + QString::number(cell.x);
}

QString Utf8(const char *text)
{
    return QString::fromUtf8(text);
}

std::optional<Shot> ShotBetween(const TBoard &before, const TBoard &after, int area, bool computer)
{
    std::optional<Shot> shot;
    for (int x = 1; x <= area; ++x)
        for (int y = 1; y <= area; ++y) {
            if (!Open(before.at(x, y)) || Open(after.at(x, y)))
                continue;
            EXPECT_FALSE(shot) << "two cells shot at once: " << shot->cell << " and " << Cell{x, y};
            const auto code = after.at(x, y);
            shot = Shot{computer,
                        {x, y},
                        code == CellMiss  ? ShotOutcome::Miss
                        : code == CellHit ? ShotOutcome::Hit
                                          : ShotOutcome::Destroyed};
        }
    return shot;
}

void MatchTest::SetUp()
{
    game = GameState{};
    SetDefaultScoreData(game.ScoreData);
    ClearBoard(game.boards.OwnBoard, game.boards.PlacedFleet);
    ClearBoard(game.boards.OpponentBoard);
    game.match.RejectedCells.fill(CellWater);
    SetEnglish(true);
    host.peerConnected = false;
    host.inviteAccepted = true;
    host.abortConfirmed = true;
    host.ClearRecords();
}

void MatchTest::TearDown()
{
    Game().settings.EnglishUI = true;
}

void MatchTest::SetEnglish(bool english)
{
    game.settings.EnglishUI = english;
    Game().settings.EnglishUI = english;
}

void MatchTest::PlaceOwnFleet(std::uint32_t seed)
{
    Random placement(seed);
    GenerateFleet(game.boards.OwnBoard, game.boards.PlacedFleet, game.boards.AreaSize, placement);
}

void MatchTest::RunningMatch(const TBoard &own, const TBoard &opponent, bool playerTurn)
{
    game.boards.OwnBoard = own;
    game.boards.OpponentBoard = opponent;
    game.match.GameInProgress = true;
    game.match.GameOver = false;
    game.match.PlayerTurn = playerTurn;
}

void MatchTest::Aim(Cell cell)
{
    game.boards.HoverCol = cell.x - 1;
    game.boards.HoverRow = cell.y - 1;
}

MatchTest::PlayedMatch MatchTest::PlayToTheEnd(Player player, const ComputerShotCheck &check)
{
    const int n = game.boards.AreaSize;
    PlayedMatch played;
    while (!game.match.GameOver && played.ticks < 10000) {
        const TBoard own = game.boards.OwnBoard;
        const bool computersTurn = !game.match.PlayerTurn;
        ++played.ticks;
        match.Tick();
        if (game.match.GameOver)
            break;
        if (const auto shot = ShotBetween(own, game.boards.OwnBoard, n, true)) {
            EXPECT_TRUE(computersTurn);
            if (check)
                check(own, *shot);
            played.shots.push_back(*shot);
        }
        if (!game.match.PlayerTurn)
            continue;

        const TBoard &target = game.boards.OpponentBoard;
        const std::uint8_t wanted = player == Player::Sharp ? CellIntact : CellWater;
        std::optional<Cell> aim;
        for (int x = 1; x <= n && !aim; ++x)
            for (int y = 1; y <= n && !aim; ++y)
                if (target.at(x, y) == wanted)
                    aim = Cell{x, y};
        if (!aim) {
            ADD_FAILURE() << "nothing left to fire at";
            break;
        }
        Aim(*aim);
        const TBoard before = target;
        match.PlayerShot();
        const auto shot = ShotBetween(before, target, n, false);
        EXPECT_TRUE(shot);
        if (shot)
            played.shots.push_back(*shot);
    }
    EXPECT_TRUE(game.match.GameOver) << "the match did not end";
    return played;
}

} // namespace tw
