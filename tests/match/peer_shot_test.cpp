// SPDX-License-Identifier: GPL-3.0-or-later
// A match against a network peer: the peer's shots at the own board, the
// turn timer and the end texts that name the peer.
#include "common/gamestateaccess.h"
#include "match_fixture.h"

using namespace tw;

namespace {

class PeerMatch : public MatchTest
{
protected:
    void SetUp() override
    {
        MatchTest::SetUp();
        host.linked = true;
        matchOf(game).opponentName = QStringLiteral("Vasya");
    }
};

TEST_F(PeerMatch, ShotsOutOfTurnOutsideTheAreaOrAtCellsShotBeforeAreIgnored)
{
    // Row A: a miss, a hit cell of a ship afloat, its unhit cell; E5 is a
    // one-cell wreck. Area 10 on the 15-cell grid.
    const Board own = boardFromRows({"ox#", "", "", "", "....S"});
    struct Case
    {
        const char *name;
        int col;
        int row;
        bool playerTurn = false;
    };
    const Case cases[] = {
        {"left of the area", -1, 0},
        {"above the area", 0, -1},
        {"right of the area", 10, 0},
        {"below the area", 0, 10},
        {"on the grid, off the area", 14, 14},
        {"far off", 1000, -1000},
        {"a miss", 0, 0},
        {"a hit cell", 1, 0},
        {"a wreck", 4, 4},
        {"the player's turn", 2, 0, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        runningMatch(own, boardFromRows({"#"}), c.playerTurn);
        host.clearRecords();
        EXPECT_FALSE(match.peerShot(c.col, c.row));
        EXPECT_EQ(game.boards().ownBoard, own) << "a ship cell never turns into water";
        EXPECT_EQ(matchOf(game).playerTurn, c.playerTurn);
        EXPECT_TRUE(host.events.isEmpty());
    }
}

TEST_F(PeerMatch, ShotReportNamesThePeerAndDrawsOnlyTheCues)
{
    struct Case
    {
        bool english;
        const char *row;
        const char *line;
        bool peerKeepsTurn;
    };
    const Case cases[] = {
        {true, "......##", "Vasya: C7 bingo", true},
        {true, "......#", "Vasya: C7 ship destroyed", true},
        {true, "......", "Vasya: C7 wrong", false},
        {false, "......##", "Vasya: C7 попадание", true},
        {false, "......#", "Vasya: C7 корабль уничтожен", true},
        {false, "......", "Vasya: C7 мимо", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        setEnglish(c.english);
        runningMatch(boardFromRows({"", "", c.row, "", "", "", "", "", "", "#"}),
                     boardFromRows({"#"}), false);
        matchOf(game).rejectedCells.fill(CellMiss);
        host.clearRecords();
        random.seed(41);
        Random draws = random;
        const bool miss = c.row[6] == '\0';
        if (miss) {
            draws.randInt(3);
        } else {
            draws.randInt(6);
            if (c.row[7] == '\0')
                draws.randInt(5);
        }
        EXPECT_EQ(match.peerShot(6, 2), c.peerKeepsTurn);
        EXPECT_EQ(host.memo, QStringList{utf8(c.line)});
        EXPECT_EQ(host.log, (std::vector<FakeHost::LogEntry>{{utf8(c.line), false, false}}));
        EXPECT_EQ(matchOf(game).playerTurn, !c.peerKeepsTurn);
        EXPECT_EQ(host.lampsPutOut, miss ? std::vector<bool>{false} : std::vector<bool>{});
        EXPECT_EQ(random.randInt(1000), draws.randInt(1000)) << "no targeting draws";
        EXPECT_EQ(matchOf(game).rejectedCells.cells[0], CellWater);
    }
}

TEST_F(PeerMatch, TimerCountsThePeersTimeWithoutMovingForIt)
{
    runningMatch(boardFromRows({"#"}), boardFromRows({"#"}), false);
    const Board own = game.boards().ownBoard;
    match.tick();
    EXPECT_EQ(matchOf(game).opponentTime, 1);
    EXPECT_EQ(game.boards().ownBoard, own);
    EXPECT_TRUE(host.memo.isEmpty());

    // The connection dropped: the computer takes the peer's turns.
    host.linked = false;
    match.tick();
    EXPECT_EQ(matchOf(game).opponentTime, 2);
    EXPECT_EQ(host.memo.size(), 1);
}

TEST_F(PeerMatch, EndTextsNameThePeer)
{
    struct Case
    {
        bool won;
        bool english;
        const char *winner;
        const char *placingOfPeer;
        const char *remark;
    };
    const Case cases[] = {
        {false, true, "the winner is Vasya",
         "Ships placing of Vasya: ", "The Vasya wins this game. You should practice with me. :)"},
        {false, false, "победа Vasya", "Расстановка кораблей Vasya: ",
         "К сожалению, Vasya вас надул. Лучше бы вы поиграли со мною. :)"},
        {true, true, "the winner is NewUser", "Ships placing of Vasya: ",
         "Vasya defeated by you! Try to play with me - I'm much harder. :-)"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.winner);
        SetUp();
        setEnglish(c.english);
        runningMatch(boardFromRows({c.won ? "#" : "S"}), boardFromRows({c.won ? "S" : "#"}), true);
        host.clearRecords();
        match.tick();
        ASSERT_TRUE(matchOf(game).gameOver);
        const QStringList texts = host.logTexts();
        ASSERT_EQ(texts.size(), 24);
        EXPECT_EQ(texts[0], utf8(c.winner));
        EXPECT_TRUE(host.memo[0].endsWith(u' ' + utf8(c.winner))) << host.memo[0].toStdString();
        EXPECT_EQ(texts[13], utf8(c.placingOfPeer));
        ASSERT_EQ(host.statistics.size(), 1u);
        EXPECT_EQ(host.statistics[0].endRemark, utf8(c.remark));
        EXPECT_EQ(host.sounds, c.won ? QStringList{} : QStringList{"LAUGH"});
    }
}

} // namespace
