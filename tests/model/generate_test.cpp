// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/placement.h"

#include <cstdint>
#include <gtest/gtest.h>

using namespace tw;

TEST(Generate, LegalFleetsOnEveryAreaSizeOverManySeeds)
{
    for (int area = MinAreaSize; area <= MaxAreaSize; ++area)
        for (std::uint32_t seed = 1; seed <= 3000; ++seed) {
            Random random(seed);
            Board board;
            board.fill(CellMiss); // every cell is overwritten
            FleetCounts counts{{0, 9, 9, 9, 9}};
            generateFleet(board, counts, area, random);
            ASSERT_TRUE(isLegalFleet(board, area)) << "area " << area << " seed " << seed;
            ASSERT_EQ(counts, RequiredFleet);
        }
}

TEST(Generate, ReportsEveryDrawOfAType)
{
    Random random(3);
    Board board;
    FleetCounts counts;
    int reports = 0;
    GenerateProgress last;
    generateFleet(board, counts, 10, random, [&](const GenerateProgress &p) {
        ++reports;
        EXPECT_GE(p.t, 1);
        EXPECT_LE(p.t, ShipTypeCount);
        last = p;
    });
    EXPECT_GE(reports, 10);
    EXPECT_EQ(ShipTypes[static_cast<std::size_t>(last.t)].count, 1) << "the last ship is small";
}

TEST(Generate, SameSeedSameFleet)
{
    Random a(42), b(42);
    Board boardA, boardB;
    FleetCounts countsA, countsB;
    generateFleet(boardA, countsA, 12, a);
    generateFleet(boardB, countsB, 12, b);
    EXPECT_EQ(boardA, boardB);
}

TEST(Generate, StartsOverFromADeadEnd)
{
    // One-cell obstacles whose surroundings cover the whole area leave no
    // place for the four-cell ship: the generator must notice, start over
    // and still end with a legal fleet.
    Board work;
    clearBoard(work);
    for (int x : {2, 5, 8, 10})
        for (int y : {2, 5, 8, 10})
            work.at(x, y) = CellShip;
    FleetCounts counts;
    Random random(5);
    EXPECT_EQ(completeFleet(work, counts, MinAreaSize, random), 1);
    EXPECT_TRUE(isLegalFleet(work, MinAreaSize));
    EXPECT_EQ(counts, RequiredFleet);
}
