// SPDX-License-Identifier: GPL-3.0-or-later
// The computer's choice of target on hand-made boards, and its behaviour
// over whole matches.
#include "common/gamestateaccess.h"
#include "match_fixture.h"

#include <cmath>
#include <map>

using namespace tw;

namespace {

constexpr int Area = 10;

class ComputerTargeting : public MatchTest
{
protected:
    struct Aimed
    {
        std::optional<Cell> cell; // unknown when a rejected cell was marked already
        bool fired = false;
    };

    // One move of the computer on `own`, in a running match with the
    // computer to move, the rejected cells as given.
    Aimed aimOnce(const Board &own, const Board &rejected)
    {
        runningMatch(own, boardFromRows({"#"}), false);
        matchOf(game).rejectedCells = rejected;
        const qsizetype lines = host.memo.size();
        const bool hit = match.computerShot();
        if (const auto shot = shotBetween(own, game.boards().ownBoard, Area, true)) {
            EXPECT_EQ(hit, shot->outcome != ShotOutcome::Miss);
            EXPECT_EQ(host.memo.size(), lines + 1);
            return {shot->cell, true};
        }
        EXPECT_FALSE(hit);
        EXPECT_EQ(host.memo.size(), lines) << "a rejected target is not reported";
        EXPECT_EQ(game.boards().ownBoard, own);
        for (int x = 1; x <= Area; ++x)
            for (int y = 1; y <= Area; ++y)
                if (rejected.at(x, y) != CellMiss &&
                    matchOf(game).rejectedCells.at(x, y) == CellMiss)
                    return {Cell{x, y}, false};
        return {};
    }

    Aimed aimOnce(const Board &own)
    {
        Board rejected;
        rejected.fill(CellWater);
        return aimOnce(own, rejected);
    }
};

// Where the statistical tests allow the observed share to stray from the
// expected probability; the seed is fixed, so this only has to hold for
// the drawn sequence, and is wide enough to survive a change of seed.
constexpr double Tolerance = 0.025;
constexpr int Trials = 6000;

TEST_F(ComputerTargeting, WoundedCellOddsHalveInScanOrder)
{
    // Four ships afloat, each hit once, far apart: every target lies next to
    // (or on) the wounded cell it was stepped from. Scanning goes down each
    // column, so the order is (2,2), (2,7), (7,2), (7,7); the last one takes
    // the odds left over by the third.
    const Board own = boardFromRows({
        "",
        ".x#...x#",
        "",
        "",
        "",
        "",
        ".x#...x#",
    });
    const Cell wounded[] = {{2, 2}, {2, 7}, {7, 2}, {7, 7}};
    const double expected[] = {1.0 / 2, 1.0 / 4, 1.0 / 8, 1.0 / 8};
    random.seed(11);
    int picked[4] = {};
    for (int i = 0; i < Trials; ++i) {
        const Aimed aimed = aimOnce(own);
        ASSERT_TRUE(aimed.cell);
        int which = -1;
        for (int w = 0; w < 4; ++w)
            if (std::abs(aimed.cell->x - wounded[w].x) + std::abs(aimed.cell->y - wounded[w].y) <=
                1)
                which = w;
        ASSERT_NE(which, -1) << *aimed.cell << " is not a step from any wounded cell";
        ++picked[which];
    }
    for (int w = 0; w < 4; ++w)
        EXPECT_NEAR(double(picked[w]) / Trials, expected[w], Tolerance) << wounded[w];
}

struct StepCase
{
    const char *name;
    std::initializer_list<const char *> rows;
    // Every cell that may be aimed at, its probability and whether it is
    // fired at (true) or rejected.
    std::map<Cell, std::pair<double, bool>> targets;
};

TEST_F(ComputerTargeting, NoSingleNeighbourMeansARandomStep)
{
    // With more than one candidate around the hits (the count of a lone hit
    // with four open neighbours is 4), the target is one random step from
    // the wounded cell: a third of the time no step at all, which is
    // rejected, else each side with 1/6. Steps off the area are clamped back
    // onto it; steps onto a cell next to a wreck are rejected.
    const StepCase cases[] = {
        {"four open neighbours",
         {"", "", "", "", "....x#"},
         {{{5, 5}, {1.0 / 3, false}},
          {{4, 5}, {1.0 / 6, true}},
          {{6, 5}, {1.0 / 6, true}},
          {{5, 4}, {1.0 / 6, true}},
          {{5, 6}, {1.0 / 6, true}}}},
        {"corner of the area",
         {"x#"},
         {{{1, 1}, {2.0 / 3, false}}, {{2, 1}, {1.0 / 6, true}}, {{1, 2}, {1.0 / 6, true}}}},
        {"a side next to a wreck",
         {"", "", "", "", "..S.x", "....#"},
         {{{5, 5}, {1.0 / 3, false}},
          {{4, 5}, {1.0 / 6, false}},
          {{6, 5}, {1.0 / 6, true}},
          {{5, 4}, {1.0 / 6, true}},
          {{5, 6}, {1.0 / 6, true}}}},
    };
    random.seed(12);
    for (const StepCase &c : cases) {
        SCOPED_TRACE(c.name);
        const Board own = boardFromRows(c.rows);
        std::map<Cell, int> seen;
        for (int i = 0; i < Trials; ++i) {
            const Aimed aimed = aimOnce(own);
            ASSERT_TRUE(aimed.cell);
            const auto expected = c.targets.find(*aimed.cell);
            ASSERT_NE(expected, c.targets.end()) << "aimed at " << *aimed.cell;
            EXPECT_EQ(aimed.fired, expected->second.second) << *aimed.cell;
            ++seen[*aimed.cell];
        }
        for (const auto &[cell, target] : c.targets)
            EXPECT_NEAR(double(seen[cell]) / Trials, target.first, Tolerance) << cell;
    }
}

struct ForcedCase
{
    const char *name;
    std::initializer_list<const char *> rows;
    Cell target;
    const char *line;
};

TEST_F(ComputerTargeting, SingleCandidateNeighbourIsAlwaysTheTarget)
{
    const ForcedCase cases[] = {
        {"one side left", {"", "", "", "....o", "...ox#", "....o"}, {6, 5}, "E6 ship destroyed"},
        // The middle is reached from both hit ends, one right after the
        // other, and counts once.
        {"both ends hit", {"", "", "", "...o.o", "..ox#xo", "...o.o"}, {5, 5}, "E5 ship destroyed"},
        {"the other side is next to a wreck",
         {"", "", "", "...o", ".S.x#", "...o"},
         {5, 5},
         "E5 ship destroyed"},
        {"bent ship",
         {"", "", "", "....o", "...oxo", "...ox#", "....o"},
         {6, 6},
         "F6 ship destroyed"},
        {"a longer ship goes on", {"", "", "", "....oo", "...ox##", "....oo"}, {6, 5}, "E6 bingo"},
    };
    for (const ForcedCase &c : cases) {
        SCOPED_TRACE(c.name);
        const Board own = boardFromRows(c.rows);
        for (std::uint32_t seed = 1; seed <= 30; ++seed) {
            random.seed(seed);
            host.clearRecords();
            const Aimed aimed = aimOnce(own);
            ASSERT_TRUE(aimed.fired);
            EXPECT_EQ(*aimed.cell, c.target);
            EXPECT_EQ(host.memo, QStringList{QStringLiteral("computer: ") + c.line});
            EXPECT_FALSE(matchOf(game).playerTurn) << "a hit keeps the turn";
            EXPECT_TRUE(host.lampsPutOut.empty());
        }
    }
}

TEST_F(ComputerTargeting, LastOpenCellIsFiredAtWithoutADraw)
{
    // No ship afloat and one cell left that is neither shot nor next to a
    // wreck: it is the target, and the only numbers drawn are the cues'.
    struct Case
    {
        char cell;
        const char *line;
        bool computerKeepsTurn;
    };
    const Case cases[] = {
        {'.', "computer: I8 wrong", false},
        {'#', "computer: I8 ship destroyed", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        const char lastRow[] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', c.cell, '\0'};
        const Board own = boardFromRows(CellMiss, Area,
                                        {"", " ...", " .S.", " ...", "", "", "", "", lastRow, ""});
        random.seed(5);
        host.clearRecords();
        Random expected = random;
        if (c.cell == '#') {
            expected.randInt(6);
            expected.randInt(5);
        } else {
            expected.randInt(3);
        }
        const Aimed aimed = aimOnce(own);
        ASSERT_TRUE(aimed.fired);
        EXPECT_EQ(*aimed.cell, (Cell{8, 9}));
        EXPECT_EQ(host.memo, QStringList{QString::fromUtf8(c.line)});
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(random.randInt(1000), expected.randInt(1000)) << "draw " << i;
        EXPECT_EQ(matchOf(game).playerTurn, !c.computerKeepsTurn);
        EXPECT_EQ(host.lampsPutOut,
                  c.computerKeepsTurn ? std::vector<bool>{} : std::vector<bool>{false});
    }
}

TEST_F(ComputerTargeting, RejectedDrawMovesToTheLastAcceptableColumn)
{
    // Only columns 3 and 7 can be fired at; every other cell was drawn and
    // rejected earlier in this turn. A rejected draw moves along its row to
    // the last acceptable column, 7, so column 3 is hit only when drawn.
    Board own = boardFromRows(CellMiss, Area, {});
    for (int y = 1; y <= Area; ++y)
        own.at(3, y) = own.at(7, y) = CellWater;
    Board rejected = own;
    random.seed(13);
    std::map<int, int> byColumn;
    std::map<int, int> rowsOfSeven;
    for (int i = 0; i < Trials; ++i) {
        const Aimed aimed = aimOnce(own, rejected);
        ASSERT_TRUE(aimed.fired) << "every draw ends on an acceptable cell";
        ++byColumn[aimed.cell->x];
        if (aimed.cell->x == 7)
            ++rowsOfSeven[aimed.cell->y];
    }
    EXPECT_EQ(byColumn.size(), 2u);
    EXPECT_NEAR(double(byColumn[3]) / Trials, 0.1, Tolerance);
    EXPECT_NEAR(double(byColumn[7]) / Trials, 0.9, Tolerance);
    EXPECT_EQ(rowsOfSeven.size(), std::size_t(Area)) << "the row is kept";
}

TEST_F(ComputerTargeting, RejectedDrawInAFullRowMovesToTheLastAcceptableRow)
{
    // Only (4,2) and (4,9) are open. A draw in row 2 or 9 moves along its
    // row; a draw in column 4 elsewhere finds its row full and moves down
    // the column to the last open row, 9; any other draw stays rejected.
    const Board own = boardFromRows(CellMiss, Area, {"", "   .", "", "", "", "", "", "", "   ."});
    const Board rejected = own;
    random.seed(14);
    std::map<Cell, int> fired;
    int refused = 0;
    for (int i = 0; i < Trials; ++i) {
        const Aimed aimed = aimOnce(own, rejected);
        if (aimed.fired)
            ++fired[*aimed.cell];
        else
            ++refused;
    }
    EXPECT_EQ(fired.size(), 2u);
    EXPECT_NEAR(double(fired[{4, 2}]) / Trials, 0.10, Tolerance);
    EXPECT_NEAR(double(fired[{4, 9}]) / Trials, 0.18, Tolerance);
    EXPECT_NEAR(double(refused) / Trials, 0.72, Tolerance);
}

TEST_F(ComputerTargeting, ATickRetriesARejectedTargetOnce)
{
    // Two candidates around the hit: a random step, of which only the two
    // open sides (1 in 3) are accepted. With one retry per tick a shot falls
    // in 1 - (2/3)^2 = 5/9 of the ticks.
    const Board own = boardFromRows({"", "", "", "....o", "....x#", "....o"});
    random.seed(15);
    int ticksWithShot = 0;
    for (int i = 0; i < Trials; ++i) {
        runningMatch(own, boardFromRows({"#"}), false);
        matchOf(game).rejectedCells.fill(CellWater);
        const qsizetype lines = host.memo.size();
        match.tick();
        ASSERT_FALSE(matchOf(game).gameOver);
        if (shotBetween(own, game.boards().ownBoard, Area, true)) {
            ++ticksWithShot;
            EXPECT_EQ(host.memo.size(), lines + 1);
            continue;
        }
        EXPECT_EQ(host.memo.size(), lines);
        int marked = 0;
        for (std::uint8_t code : matchOf(game).rejectedCells.cells)
            marked += code == CellMiss;
        EXPECT_TRUE(marked == 1 || marked == 2) << marked << " rejected cells";
    }
    EXPECT_NEAR(double(ticksWithShot) / Trials, 5.0 / 9, Tolerance);
}

TEST_F(ComputerTargeting, HitKeepsTheTurnForTheNextTick)
{
    runningMatch(boardFromRows({"", "", "", "....oo", "...ox##", "....oo", "", "", "", "#"}),
                 boardFromRows({"#"}), false);
    match.tick();
    EXPECT_EQ(host.memo, QStringList{"computer: E6 bingo"});
    EXPECT_FALSE(matchOf(game).playerTurn);
    match.tick();
    EXPECT_EQ(host.memo, (QStringList{"computer: E6 bingo", "computer: E7 ship destroyed"}));
    EXPECT_FALSE(matchOf(game).playerTurn);
    EXPECT_EQ(matchOf(game).opponentTime, 2);
    EXPECT_EQ(matchOf(game).playerTime, 0);
    EXPECT_TRUE(host.lampsPutOut.empty());
}

TEST_F(ComputerTargeting, CueDrawsFollowTheOutcome)
{
    // A destroyed ship draws the explosion and then the destroy variant and
    // plays the latter; a hit draws one explosion, a miss one miss variant.
    // The forced targets draw one number to pick the single wounded cell.
    struct Case
    {
        const char *name;
        std::initializer_list<const char *> rows;
        QStringList cues;
        int woundedDraws;
    };
    const Case cases[] = {
        {"destroyed", {"", "", "", "....o", "...ox#", "....o"}, {"explosion", "destroy"}, 1},
        {"hit", {"", "", "", "....o", "...ox##", "....o"}, {"explosion"}, 1},
        {"miss", {"", "", "", "....o", "...ox.", "....o"}, {"miss"}, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        random.seed(21);
        host.clearRecords();
        Random expected = random;
        for (int i = 0; i < c.woundedDraws; ++i)
            expected.randInt(2);
        QString sound;
        for (const QString &cue : c.cues)
            sound = cue == "explosion" ? QStringLiteral("explos%1").arg(expected.randInt(6) + 1)
                    : cue == "destroy" ? QStringLiteral("destroy%1").arg(expected.randInt(5) + 1)
                                       : QStringLiteral("wrong%1").arg(expected.randInt(3) + 1);
        ASSERT_TRUE(aimOnce(boardFromRows(c.rows)).fired);
        EXPECT_EQ(host.sounds, QStringList{sound});
        EXPECT_EQ(random.randInt(1000), expected.randInt(1000));
    }
}

// Placement keeps ships apart, so a cell next to a wreck can hold no ship:
// over whole matches the computer never fires there, nor at a cell it has
// fired at before, and makes at most one shot per tick.
TEST_F(ComputerTargeting, NeverFiresNextToAWreckOverWholeMatches)
{
    int shots = 0;
    for (int area : {10, 15}) {
        for (std::uint32_t seed = 1; seed <= 100; ++seed) {
            SCOPED_TRACE(testing::Message() << "area " << area << " seed " << seed);
            SetUp();
            game.boards().areaSize = static_cast<std::uint8_t>(area);
            host.clearRecords();
            placeOwnFleet(seed + 1000);
            random.seed(seed);
            ASSERT_TRUE(match.begin());
            const auto check = [&](const Board &before, const Shot &shot) {
                for (int x = std::max(1, shot.cell.x - 1); x <= std::min(area, shot.cell.x + 1);
                     ++x)
                    for (int y = std::max(1, shot.cell.y - 1); y <= std::min(area, shot.cell.y + 1);
                         ++y)
                        ASSERT_NE(before.at(x, y), CellShip)
                            << "fired at " << shot.cell << " next to the wreck at " << Cell{x, y};
                ++shots;
            };
            playToTheEnd(Player::Blind, check);
            EXPECT_EQ(host.memo.back().right(14), QStringLiteral(" computer wins"));
            match.finish();
        }
    }
    EXPECT_GT(shots, 200 * FleetCells);
}

} // namespace
