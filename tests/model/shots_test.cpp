// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/placement.h"
#include "model/shots.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

using namespace tw;

namespace {

struct Cell
{
    int x, y;
};

// A battle board with one ship of the given type and turn, its bounding box
// at the 0-based cell (col, row).
Board armedWithShip(int type, int rotation, int col, int row, std::vector<Cell> &cells,
                    int area = 10)
{
    Board board;
    clearBoard(board);
    const TurnedShape shape = turnedShipShape(type, rotation);
    putShip(shape.mask, board, shape.origin.ox, shape.origin.oy, col, row);
    cells.clear();
    for (int x = 1; x <= area; ++x)
        for (int y = 1; y <= area; ++y)
            if (board.at(x, y) == CellShip)
                cells.push_back({x, y});
    armBoard(board, area);
    return board;
}

} // namespace

TEST(Shots, MissOnWaterChangesOnlyThatCell)
{
    std::vector<Cell> cells;
    Board board = armedWithShip(2, 0, 3, 3, cells);
    Board expected = board;
    EXPECT_EQ(fireAt(board, 1, 1, 10), ShotOutcome::Miss);
    expected.at(1, 1) = CellMiss;
    EXPECT_EQ(board, expected);
}

TEST(Shots, EveryShapeEveryTurnEveryOrder)
{
    // Hit the ship's cells in every order (by rotating the list): each shot
    // but the last is a hit that leaves the ship afloat, the last destroys it,
    // and then every cell shows as ship.
    for (int t = 1; t <= ShipTypeCount; ++t)
        for (int r = 0; r < 4; ++r) {
            std::vector<Cell> cells;
            armedWithShip(t, r, 0, 0, cells); // corner of the area too
            for (std::size_t start = 0; start < cells.size(); ++start) {
                std::vector<Cell> order = cells;
                std::rotate(order.begin(), order.begin() + static_cast<long>(start), order.end());
                if (start % 2)
                    std::reverse(order.begin() + 1, order.end());
                std::vector<Cell> unused;
                Board board = armedWithShip(t, r, 0, 0, unused);
                for (std::size_t i = 0; i < order.size(); ++i) {
                    const ShotOutcome outcome = fireAt(board, order[i].x, order[i].y, 10);
                    const bool last = i + 1 == order.size();
                    EXPECT_EQ(outcome, last ? ShotOutcome::Destroyed : ShotOutcome::Hit)
                        << "type " << t << " turn " << r << " shot " << i;
                    for (std::size_t j = 0; j < order.size(); ++j) {
                        const auto code = board.at(order[j].x, order[j].y);
                        if (last)
                            EXPECT_EQ(code, CellShip);
                        else
                            EXPECT_EQ(code, j <= i ? CellHit : CellIntact);
                    }
                }
                EXPECT_TRUE(fleetDestroyed(board, 10));
            }
        }
}

TEST(Shots, LShapeHitAtItsCorner)
{
    std::vector<Cell> cells;
    Board board = armedWithShip(7, 0, 4, 4, cells); // .##. / .#.. / .#..
    // The corner of type 7 is frame (1, 0): board column 5, row 5.
    ASSERT_EQ(board.at(5, 5), CellIntact);
    EXPECT_EQ(fireAt(board, 5, 5, 10), ShotOutcome::Hit);
    EXPECT_EQ(board.at(5, 5), CellHit);
    EXPECT_EQ(board.at(6, 5), CellIntact);
    EXPECT_EQ(board.at(5, 6), CellIntact);
    EXPECT_EQ(board.at(5, 7), CellIntact);
}

TEST(Shots, NeighbouringShipsStayApart)
{
    // Two ships two cells apart: destroying one leaves the other intact.
    Board board;
    clearBoard(board);
    board.at(1, 1) = CellShip;
    board.at(3, 1) = CellShip;
    board.at(3, 2) = CellShip;
    armBoard(board, 10);
    EXPECT_EQ(fireAt(board, 1, 1, 10), ShotOutcome::Destroyed);
    EXPECT_EQ(board.at(3, 1), CellIntact);
    EXPECT_EQ(board.at(3, 2), CellIntact);
    EXPECT_FALSE(fleetDestroyed(board, 10));
}

TEST(Shots, ArmAndRevealFrameTheBattle)
{
    Board board;
    FleetCounts counts;
    Random random(11);
    generateFleet(board, counts, 10, random);
    board.at(3, 3) = board.at(3, 3) == CellShip ? CellShip : CellMiss; // stale code
    board.at(12, 12) = CellShip; // outside the area: left alone
    armBoard(board, 10);
    int intact = 0;
    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 10; ++y) {
            const auto code = board.at(x, y);
            EXPECT_TRUE(code == CellIntact || code == CellWater);
            intact += code == CellIntact;
        }
    EXPECT_EQ(intact, FleetCells);
    EXPECT_EQ(board.at(12, 12), CellShip);
    EXPECT_FALSE(fleetDestroyed(board, 10));

    // Fire at a few cells, then reveal: only misses, ships and water remain.
    for (int x = 1; x <= 10; x += 3)
        for (int y = 1; y <= 10; y += 2)
            if (board.at(x, y) == CellWater || board.at(x, y) == CellIntact)
                fireAt(board, x, y, 10);
    revealShips(board, 10);
    int ships = 0;
    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 10; ++y) {
            const auto code = board.at(x, y);
            EXPECT_TRUE(code == CellShip || code == CellMiss || code == CellWater);
            ships += code == CellShip;
        }
    EXPECT_EQ(ships, FleetCells);
}
