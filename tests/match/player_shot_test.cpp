// SPDX-License-Identifier: GPL-3.0-or-later
// The player's click on the opponent board: refusals, scoring, the report
// line and the shot packet.
#include "common/gamestateaccess.h"
#include "match/scoring.h"
#include "match_fixture.h"

using namespace tw;

namespace {

// p / d rounded to the nearest integer, a half to the even one, in exact
// integer arithmetic. Precondition: d > 0.
long nearestEven(long p, long d)
{
    long q = p / d;
    long r = p % d;
    if (r < 0) {
        --q;
        r += d;
    }
    if (2 * r > d || (2 * r == d && q % 2 != 0))
        ++q;
    return q;
}

TEST(ShotPoints, WorkedExamplesAndLimits)
{
    struct Case
    {
        const char *name;
        int (*points)(int, int);
        int argument; // misses before the shot, or the player's time
        int area;
        int expected;
    };
    const Case cases[] = {
        {"hit after 3 misses", hitPoints, 3, 10, 129},
        {"hit, no miss, area 15", hitPoints, 0, 15, 200},
        {"hit after 100 misses", hitPoints, 100, 10, 1},
        {"hit after 160 misses", hitPoints, 160, 15, 1},
        {"destroy with no miss", destroyPoints, 0, 10, 333},
        {"destroy after 3 misses", destroyPoints, 3, 10, 329},
        {"destroy after 300 misses", destroyPoints, 300, 12, 1},
        {"miss at time 25", missPoints, 25, 10, -9},
        {"miss at time 1", missPoints, 1, 10, 0},
        {"miss at time 4: -1.5 goes to -2", missPoints, 4, 10, -2},
        {"miss at time 12: -4.5 goes to -4", missPoints, 12, 10, -4},
        {"miss at time 154, area 11: -52.5 goes to -52", missPoints, 154, 11, -52},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.points(c.argument, c.area), c.expected) << c.name;
}

// The points are k = 2 * area / 15 times a whole number, or a whole number
// divided by k; exact halves occur only for misses and go to the even side,
// which floating-point division must not blur.
TEST(ShotPoints, MatchExactRoundingOnEveryArea)
{
    for (int area = MinAreaSize; area <= MaxAreaSize; ++area) {
        for (int misses = 0; misses <= 400; ++misses) {
            ASSERT_EQ(hitPoints(misses, area),
                      std::max(1L, nearestEven((100L - misses) * 2 * area, 15)))
                << "area " << area << " misses " << misses;
            ASSERT_EQ(destroyPoints(misses, area),
                      std::max(1L, nearestEven((250L - misses) * 2 * area, 15)))
                << "area " << area << " misses " << misses;
        }
        for (int time = 0; time <= 200000; ++time)
            ASSERT_EQ(missPoints(time, area), nearestEven(-15L * (time / 2), 2 * area))
                << "area " << area << " time " << time;
    }
}

class PlayerShot : public MatchTest
{
protected:
    void start(std::initializer_list<const char *> opponentRows, int area = 10)
    {
        game.boards().areaSize = static_cast<std::uint8_t>(area);
        runningMatch(boardFromRows({"#"}), boardFromRows(opponentRows), true);
    }
};

TEST_F(PlayerShot, ScoresEachShotOnce)
{
    struct Case
    {
        const char *name;
        std::initializer_list<const char *> rows;
        Cell aim;
        int area;
        int missesBefore;
        int playerTime;
        int scoreBefore;
        int scoreAfter;
        bool miss;
    };
    const Case cases[] = {
        {"hit after 3 misses", {"##"}, {1, 1}, 10, 3, 40, 0, 129, false},
        {"destroy with no miss", {"", "", "", "", "....#"}, {5, 5}, 10, 0, 40, 10, 343, false},
        {"the destroying hit scores the destroy formula alone",
         {"x#"},
         {2, 1},
         10,
         0,
         0,
         133,
         466,
         false},
        {"hit after 150 misses", {"##"}, {2, 1}, 10, 150, 0, 7, 8, false},
        {"destroy after 250 misses", {"#"}, {1, 1}, 15, 250, 0, 7, 8, false},
        {"miss at time 25", {"#"}, {3, 3}, 10, 0, 25, 20, 11, true},
        {"a miss costs no more than the score held", {"#"}, {3, 3}, 10, 4, 25, 5, 0, true},
        {"miss at time 154 on area 11", {"#"}, {3, 3}, 11, 0, 154, 100, 48, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        start(c.rows, c.area);
        matchOf(game).playerMisses = c.missesBefore;
        matchOf(game).playerTime = c.playerTime;
        matchOf(game).gameScore = c.scoreBefore;
        host.clearRecords();
        shootAt(c.aim);
        EXPECT_EQ(matchOf(game).gameScore, c.scoreAfter);
        EXPECT_EQ(matchOf(game).playerMisses, c.missesBefore + (c.miss ? 1 : 0));
        EXPECT_EQ(matchOf(game).playerTurn, !c.miss);
        EXPECT_EQ(host.lampsPutOut, c.miss ? std::vector<bool>{true} : std::vector<bool>{});
        EXPECT_EQ(host.beeps, 0);
    }
}

TEST_F(PlayerShot, RefusedClicksChangeNothing)
{
    struct Case
    {
        const char *name;
        bool inProgress;
        bool playerTurn;
        bool paused;
        int hoverCol;
        int hoverRow;
        bool beep;
    };
    // The opponent board: row A holds a miss, a wreck and a hit cell, so
    // that (0,0), (1,0) and (2,0) have been fired at; (4,4) is open water.
    const Case cases[] = {
        {"no match", false, true, false, 4, 4, true},
        {"opponent's turn", true, false, false, 4, 4, true},
        {"paused", true, true, true, 4, 4, true},
        {"a miss", true, true, false, 0, 0, true},
        {"a wreck", true, true, false, 1, 0, true},
        {"a hit cell", true, true, false, 2, 0, true},
        {"left frame", true, true, false, -1, 4, false},
        {"top frame", true, true, false, 4, -1, false},
        {"right frame", true, true, false, 10, 4, false},
        {"bottom frame", true, true, false, 4, 10, false},
        {"outside the area on the board", true, true, false, 13, 2, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        host.linked = true;
        start({"oSx#", "", "", "", ""});
        matchOf(game).gameInProgress = c.inProgress;
        matchOf(game).playerTurn = c.playerTurn;
        matchOf(game).paused = c.paused;
        matchOf(game).gameScore = 50;
        matchOf(game).playerTime = 30;
        host.clearRecords();
        const GameState before = game;
        match.playerShot(c.hoverCol, c.hoverRow);
        EXPECT_EQ(host.beeps, c.beep ? 1 : 0);
        EXPECT_EQ(host.events, c.beep ? QStringList{"beep"} : QStringList{});
        EXPECT_EQ(game.boards().opponentBoard, before.boards().opponentBoard);
        EXPECT_EQ(matchOf(game).gameScore, 50);
        EXPECT_EQ(matchOf(game).playerMisses, 0);
        EXPECT_EQ(matchOf(game).playerTurn, c.playerTurn);
    }
}

TEST_F(PlayerShot, ReportLineNamesPlayerCellAndOutcome)
{
    struct Case
    {
        bool english;
        const char *rows;
        const char *line;
        QStringList events;
    };
    const QStringList hit{"memo", "log", "paint opponent"};
    const QStringList miss{"lamp out", "memo", "log", "paint opponent"};
    const Case cases[] = {
        {true, "......##", "NewUser: C7 bingo", hit},
        {true, "......#", "NewUser: C7 ship destroyed", hit},
        {true, "......", "NewUser: C7 wrong", miss},
        {false, "......##", "NewUser: C7 попадание", hit},
        {false, "......#", "NewUser: C7 корабль уничтожен", hit},
        {false, "......", "NewUser: C7 мимо", miss},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        setEnglish(c.english);
        start({"", "", c.rows});
        host.clearRecords();
        shootAt({7, 3});
        const QString line = utf8(c.line);
        EXPECT_EQ(host.memo, QStringList{line});
        EXPECT_EQ(host.log, (std::vector<FakeHost::LogEntry>{{line, false, false}}));
        // The sound goes first, the board is painted last.
        ASSERT_EQ(host.events.size(), c.events.size() + 1);
        EXPECT_TRUE(host.events.front().startsWith("sound "));
        for (qsizetype i = 0; i < c.events.size(); ++i)
            EXPECT_TRUE(host.events[i + 1].startsWith(c.events[i])) << host.events[i + 1];
    }
}

TEST_F(PlayerShot, CueDrawsFollowTheOutcome)
{
    struct Case
    {
        const char *rows;
        QStringList cues;
    };
    const Case cases[] = {
        {"##", {"explosion"}},
        {"#", {"explosion", "destroy"}},
        {".", {"miss"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.rows);
        start({c.rows});
        random.seed(31);
        host.clearRecords();
        Random expected = random;
        QString sound;
        for (const QString &cue : c.cues)
            sound = cue == "explosion" ? QStringLiteral("explos%1").arg(expected.randInt(6) + 1)
                    : cue == "destroy" ? QStringLiteral("destroy%1").arg(expected.randInt(5) + 1)
                                       : QStringLiteral("wrong%1").arg(expected.randInt(3) + 1);
        shootAt({1, 1});
        EXPECT_EQ(host.sounds, QStringList{sound});
        EXPECT_EQ(random.randInt(1000), expected.randInt(1000));
    }
}

TEST_F(PlayerShot, PacketGoesToAConnectedPeerFirstWithZeroBasedCell)
{
    for (bool peer : {false, true}) {
        SCOPED_TRACE(peer ? "peer" : "computer");
        host.linked = peer;
        start({"", "", "......##"});
        host.clearRecords();
        shootAt({7, 3});
        if (peer) {
            EXPECT_EQ(host.shotsSent, (std::vector<std::pair<int, int>>{{6, 2}}));
            EXPECT_EQ(host.events.front(), "send shot 6 2") << "sent before anything changes";
        } else {
            EXPECT_TRUE(host.shotsSent.empty());
        }
        EXPECT_EQ(host.memo, QStringList{"NewUser: C7 bingo"});
    }
}

} // namespace
