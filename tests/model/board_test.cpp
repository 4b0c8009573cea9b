// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/board.h"
#include "model/placement.h"
#include "model/shiptypes.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace tw;

TEST(Board, ColumnByColumnLayout)
{
    Board board;
    board.fill(CellWater);
    board.at(1, 2) = CellShip;  // column 1, row B: byte 1
    board.at(2, 1) = CellMiss;  // column 2, row A: byte 15
    board.at(15, 15) = CellHit; // last byte
    EXPECT_EQ(board.cells[1], CellShip);
    EXPECT_EQ(board.cells[15], CellMiss);
    EXPECT_EQ(board.cells[224], CellHit);
    const std::string text = boardToText(board);
    EXPECT_EQ(text.substr(0, 3), "CBC");
    EXPECT_EQ(text[15], 'A');
    EXPECT_EQ(text[224], 'E');
}

TEST(Board, ClearedBoardIsAllC)
{
    Board board;
    FleetCounts counts{{0, 1, 2, 3, 4}};
    clearBoard(board, counts);
    EXPECT_EQ(boardToText(board), std::string(225, 'C'));
    EXPECT_EQ(counts, FleetCounts{});
}

TEST(Board, TextRoundTripOfLettersAToG)
{
    std::string text;
    for (int i = 0; i < 225; ++i)
        text.push_back(static_cast<char>('A' + (i * 7 + i / 15) % 7));
    Board board;
    ASSERT_TRUE(textToBoard(text + "trailing text is ignored", board));
    EXPECT_EQ(boardToText(board), text);
}

TEST(Board, TextToBoardRefusesAndKeepsTheRest)
{
    Board board;
    board.fill(CellWater);
    std::string text(225, 'B');
    text[20] = '@'; // below 'A'
    EXPECT_FALSE(textToBoard(text, board));
    EXPECT_EQ(board.cells[19], CellShip) << "cells before the bad position are decoded";
    EXPECT_EQ(board.cells[20], CellWater) << "the rest keep their old values";

    board.fill(CellWater);
    EXPECT_FALSE(textToBoard(std::string(224, 'B'), board)) << "too short";
    EXPECT_EQ(board.cells[223], CellShip);
    EXPECT_EQ(board.cells[224], CellWater);

    EXPECT_FALSE(textToBoard("", board));
}

TEST(Board, clampToArea)
{
    struct Case
    {
        int x1, y1, x2, y2, area;
        int ex1, ey1, ex2, ey2;
    };
    const std::vector<Case> cases = {
        {0, 0, 2, 2, 10, 1, 1, 2, 2},
        {10, 3, 12, 5, 10, 10, 3, 10, 5},
        {14, 14, 16, 16, 15, 14, 14, 15, 15},
        {11, 11, 13, 13, 10, 11, 11, 10, 10}, // wholly outside: comes back empty
    };
    for (const Case &c : cases) {
        int x1 = c.x1, y1 = c.y1, x2 = c.x2, y2 = c.y2;
        clampToArea(x1, y1, x2, y2, c.area);
        EXPECT_EQ(x1, c.ex1);
        EXPECT_EQ(y1, c.ey1);
        EXPECT_EQ(x2, c.ex2);
        EXPECT_EQ(y2, c.ey2);
    }
}

TEST(Board, CellNames)
{
    EXPECT_EQ(cellName(7, 3), "C7");
    EXPECT_EQ(cellName(10, 1), "A10");
    EXPECT_EQ(cellName(15, 15), "O15");
    EXPECT_EQ(cellName(1, 1), "A1");
}

// The build checks the game's table; the check itself must catch a mask
// that lost or gained a cell.
TEST(ShipTypes, ConsistencyCheckCatchesAMaskThatDisagreesWithItsSize)
{
    ShipTypeTable table = buildShipTypes();
    EXPECT_TRUE(shipTypesConsistent(table));

    maskCell(table[6].mask, 1, 0) = 0;
    EXPECT_FALSE(shipTypesConsistent(table));
    maskCell(table[6].mask, 1, 0) = 1;
    maskCell(table[1].mask, 3, 3) = 1;
    EXPECT_FALSE(shipTypesConsistent(table));
}

TEST(ShipTypes, SizesMakeTheFleet)
{
    const ShipTypeTable table = buildShipTypes();
    const int expected[] = {0, 1, 2, 3, 3, 4, 4, 4, 4, 4, 4, 4};
    for (int t = 1; t <= ShipTypeCount; ++t)
        EXPECT_EQ(table[static_cast<std::size_t>(t)].count, expected[t]) << "type " << t;
}
