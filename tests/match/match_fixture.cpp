// SPDX-License-Identifier: GPL-3.0-or-later
#include "match_fixture.h"

#include "common/gamestateaccess.h"
#include "records/records.h"

namespace tw {

namespace {

std::uint8_t codeOf(char c)
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

bool open(std::uint8_t code)
{
    return code == CellWater || code == CellIntact;
}

} // namespace

Board boardFromRows(std::uint8_t background, int area, std::initializer_list<const char *> rows)
{
    Board board;
    board.fill(CellWater);
    for (int x = 1; x <= area; ++x)
        for (int y = 1; y <= area; ++y)
            board.at(x, y) = background;
    int y = 1;
    for (const char *row : rows) {
        for (int x = 1; row[x - 1] != '\0'; ++x)
            if (row[x - 1] != ' ')
                board.at(x, y) = codeOf(row[x - 1]);
        ++y;
    }
    return board;
}

Board boardFromRows(std::initializer_list<const char *> rows)
{
    return boardFromRows(CellWater, BoardSide, rows);
}

QString cellText(Cell cell)
{
    return QChar(u'A' + cell.y - 1) + QString::number(cell.x);
}

QString utf8(const char *text)
{
    return QString::fromUtf8(text);
}

std::optional<Shot> shotBetween(const Board &before, const Board &after, int area, bool computer)
{
    std::optional<Shot> shot;
    for (int x = 1; x <= area; ++x)
        for (int y = 1; y <= area; ++y) {
            if (!open(before.at(x, y)) || open(after.at(x, y)))
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
    setDefaultScoreData(game.scores());
    clearBoard(game.boards().ownBoard, game.boards().placedFleet);
    clearBoard(game.boards().opponentBoard);
    matchOf(game).rejectedCells.fill(CellWater);
    setEnglish(true);
    host.linked = false;
    host.inviteAccepted = true;
    host.abortConfirmed = true;
    host.closeStatistics = true;
    host.holdBoxes = false;
    host.openBox = nullptr;
    host.clearRecords();
}

void MatchTest::setEnglish(bool english)
{
    game.settings().englishUi = english;
}

void MatchTest::placeOwnFleet(std::uint32_t seed)
{
    Random placement(seed);
    generateFleet(game.boards().ownBoard, game.boards().placedFleet, game.boards().areaSize,
                  placement);
}

void MatchTest::runningMatch(const Board &own, const Board &opponent, bool playerTurn)
{
    game.boards().ownBoard = own;
    game.boards().opponentBoard = opponent;
    matchOf(game).gameInProgress = true;
    matchOf(game).gameOver = false;
    matchOf(game).playerTurn = playerTurn;
    match.chooseOpponent();
}

void MatchTest::shootAt(Cell cell)
{
    match.playerShot(cell.x - 1, cell.y - 1);
}

MatchTest::PlayedMatch MatchTest::playToTheEnd(Player player, const ComputerShotCheck &check)
{
    const int n = game.boards().areaSize;
    PlayedMatch played;
    while (!matchOf(game).gameOver && played.ticks < 10000) {
        const Board own = game.boards().ownBoard;
        const bool computersTurn = !matchOf(game).playerTurn;
        ++played.ticks;
        match.tick();
        if (matchOf(game).gameOver)
            break;
        if (const auto shot = shotBetween(own, game.boards().ownBoard, n, true)) {
            EXPECT_TRUE(computersTurn);
            if (check)
                check(own, *shot);
            played.shots.push_back(*shot);
        }
        if (!matchOf(game).playerTurn)
            continue;

        const Board &target = game.boards().opponentBoard;
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
        const Board before = target;
        shootAt(*aim);
        const auto shot = shotBetween(before, target, n, false);
        EXPECT_TRUE(shot);
        if (shot)
            played.shots.push_back(*shot);
    }
    EXPECT_TRUE(matchOf(game).gameOver) << "the match did not end";
    return played;
}

} // namespace tw
