// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/placement.h"

#include <gtest/gtest.h>

using namespace tw;

namespace {

// The frame as rows of '.' and '#', top to bottom.
std::string picture(const ShipMask &mask)
{
    std::string rows;
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x)
            rows.push_back(maskCell(mask, x, y) ? '#' : '.');
        rows.push_back(y < 3 ? '/' : '\0');
    }
    rows.pop_back();
    return rows;
}

BoardState emptyState(int area = 10)
{
    BoardState state;
    state.areaSize = static_cast<std::uint8_t>(area);
    clearBoard(state.ownBoard, state.placedFleet);
    return state;
}

PlaceResult place(BoardState &state, int type, int rotation, int col, int row)
{
    state.selectedShipType = static_cast<std::uint8_t>(type);
    state.rotation = static_cast<std::int8_t>(rotation);
    return placeSelectedShip(state, col, row);
}

} // namespace

TEST(Rotate, QuarterTurnsClockwise)
{
    ShipMask mask = ShipTypes[3].mask;
    EXPECT_EQ(picture(mask), "..../###./..../....");
    rotateMask(mask, 1);
    EXPECT_EQ(picture(mask), "..#./..#./..#./....");
    rotateMask(mask, 1);
    EXPECT_EQ(picture(mask), "..../..../.###/....");

    ShipMask same = ShipTypes[7].mask;
    rotateMask(same, 0);
    rotateMask(same, -2);
    EXPECT_EQ(same, ShipTypes[7].mask);
    rotateMask(same, 4);
    EXPECT_EQ(same, ShipTypes[7].mask);
}

TEST(Rotate, OriginIsFirstUsedColumnAndRow)
{
    EXPECT_EQ(shapeOrigin(ShipTypes[1].mask).ox, 1);
    EXPECT_EQ(shapeOrigin(ShipTypes[1].mask).oy, 1);
    EXPECT_EQ(shapeOrigin(ShipTypes[5].mask).ox, 0);
    EXPECT_EQ(shapeOrigin(ShipTypes[9].mask).oy, 0);
    ShipMask mask = ShipTypes[3].mask;
    rotateMask(mask, 1);
    EXPECT_EQ(shapeOrigin(mask).ox, 2);
    EXPECT_EQ(shapeOrigin(mask).oy, 0);
}

TEST(Placement, StraightFourAtTheEdgeOfTheArea)
{
    BoardState state = emptyState();
    BoardState other = state;
    EXPECT_EQ(place(other, 5, 0, 7, 0), PlaceResult::Illegal) << "would need column 11";
    EXPECT_EQ(place(state, 5, 0, 6, 0), PlaceResult::Placed);
    for (int x = 7; x <= 10; ++x)
        EXPECT_EQ(state.ownBoard.at(x, 1), CellShip);
    EXPECT_EQ(state.placedFleet[4], 1);
}

TEST(Placement, ShipsMayNotTouchEvenAtACorner)
{
    BoardState state = emptyState();
    ASSERT_EQ(place(state, 1, 0, 4, 4), PlaceResult::Placed);
    EXPECT_EQ(place(state, 1, 0, 5, 5), PlaceResult::Illegal) << "diagonal neighbour";
    EXPECT_EQ(place(state, 1, 0, 4, 5), PlaceResult::Illegal) << "side neighbour";
    EXPECT_EQ(place(state, 1, 0, 6, 6), PlaceResult::Placed) << "two cells apart";
    EXPECT_EQ(state.placedFleet[1], 2);
}

TEST(Placement, FullSizeAndCompleteFleetAreRefused)
{
    BoardState state = emptyState();
    for (int i = 0; i < 4; ++i)
        ASSERT_EQ(place(state, 1, 0, 2 * i, 0), PlaceResult::Placed);
    const Board before = state.ownBoard;
    EXPECT_EQ(place(state, 1, 0, 0, 9), PlaceResult::SizeFull) << "a fifth one-cell ship";
    EXPECT_EQ(state.ownBoard, before);

    state.placedFleet = RequiredFleet;
    state.placedFleet[2] = 5; // more than required, so the size is not "full"
    EXPECT_EQ(place(state, 2, 0, 0, 9), PlaceResult::fleetComplete);
}

TEST(Placement, TurnedThreeCoversTheCellAndTheTwoBelow)
{
    BoardState state = emptyState();
    ASSERT_EQ(place(state, 3, 1, 4, 2), PlaceResult::Placed);
    for (int y = 3; y <= 5; ++y)
        EXPECT_EQ(state.ownBoard.at(5, y), CellShip);
    int ships = 0;
    for (auto c : state.ownBoard.cells)
        ships += c == CellShip;
    EXPECT_EQ(ships, 3);
}

TEST(Placement, EveryTypeAndTurnLandsWithItsBoundingBoxOnTheTarget)
{
    for (int t = 1; t <= ShipTypeCount; ++t)
        for (int r = 0; r < 4; ++r) {
            BoardState state = emptyState(12);
            ASSERT_EQ(place(state, t, r, 5, 6), PlaceResult::Placed) << t << "/" << r;
            int minX = 99, minY = 99, count = 0;
            for (int x = 1; x <= 15; ++x)
                for (int y = 1; y <= 15; ++y)
                    if (state.ownBoard.at(x, y) == CellShip) {
                        minX = std::min(minX, x);
                        minY = std::min(minY, y);
                        ++count;
                    }
            EXPECT_EQ(minX, 6);
            EXPECT_EQ(minY, 7);
            EXPECT_EQ(count, ShipTypes[static_cast<std::size_t>(t)].count);
        }
}

TEST(Readiness, AllConditionsMustHold)
{
    const Readiness ready{false, true, true, 10, false};
    EXPECT_TRUE(readyForNetworkGame(10, ready));
    EXPECT_FALSE(readyForNetworkGame(12, ready)) << "other area size";
    Readiness r = ready;
    r.gameInProgress = true;
    EXPECT_FALSE(readyForNetworkGame(10, r));
    r = ready;
    r.fleetComplete = false;
    EXPECT_FALSE(readyForNetworkGame(10, r));
    r = ready;
    r.hasPlayerName = false;
    EXPECT_FALSE(readyForNetworkGame(10, r));
    r = ready;
    r.modalBusy = true;
    EXPECT_FALSE(readyForNetworkGame(10, r));
}

TEST(legalFleet, RefusesWhatAPeerMustNotSend)
{
    Board board;
    FleetCounts counts;
    Random random(7);
    generateFleet(board, counts, 10, random);
    ASSERT_TRUE(isLegalFleet(board, 10));
    EXPECT_FALSE(isLegalFleet(board, 9)) << "area sizes outside 10..15";

    auto firstShipCell = [&]() {
        for (std::size_t i = 0; i < board.cells.size(); ++i)
            if (board.cells[i] == CellShip)
                return i;
        return board.cells.size();
    };

    Board missing = board;
    missing.cells[firstShipCell()] = CellWater;
    EXPECT_FALSE(isLegalFleet(missing, 10)) << "a ship cell missing";

    Board outside = board;
    outside.at(15, 15) = CellShip;
    EXPECT_FALSE(isLegalFleet(outside, 10)) << "a cell outside the area";

    Board battle = board;
    battle.cells[firstShipCell()] = CellIntact;
    EXPECT_FALSE(isLegalFleet(battle, 10)) << "battle codes";

    Board empty;
    clearBoard(empty);
    EXPECT_FALSE(isLegalFleet(empty, 10));

    // A hand-made legal fleet, then two one-cell ships touching at a corner.
    BoardState state = emptyState();
    const int plan[][4] = {{5, 0, 0, 0}, {2, 0, 6, 0}, {3, 0, 0, 2}, {2, 0, 5, 2}, {3, 0, 0, 4},
                           {2, 0, 5, 4}, {1, 0, 0, 6}, {1, 0, 2, 6}, {1, 0, 4, 6}, {1, 0, 6, 6}};
    for (const auto &p : plan)
        ASSERT_EQ(place(state, p[0], p[1], p[2], p[3]), PlaceResult::Placed);
    ASSERT_TRUE(isLegalFleet(state.ownBoard, 10));
    Board touching = state.ownBoard;
    touching.at(7, 7) = CellWater; // the one-cell ship at G7 moves to H6,
    touching.at(6, 8) = CellShip;  // a corner away from the one at G5
    EXPECT_FALSE(isLegalFleet(touching, 10));
}
