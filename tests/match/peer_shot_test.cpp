// A match against a network peer: the peer's shots at the own board, the
// turn timer and the end texts that name the peer.
#include "match_fixture.h"

using namespace tw;

namespace {

class PeerMatch : public MatchTest
{
protected:
    void SetUp() override
    {
        MatchTest::SetUp();
        host.peerConnected = true;
        game.match.OpponentName = QStringLiteral("Vasya");
    }
};

TEST_F(PeerMatch, ShotsOutsideTheAreaOrAtCellsShotBeforeAreIgnored)
{
    // Row A: a miss, a hit cell of a ship afloat, its unhit cell; E5 is a
    // one-cell wreck. Area 10 on the 15-cell grid.
    const TBoard own = BoardFromRows({"ox#", "", "", "", "....S"});
    struct Case
    {
        const char *name;
        int col;
        int row;
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
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        RunningMatch(own, BoardFromRows({"#"}), false);
        host.ClearRecords();
        EXPECT_FALSE(match.OpponentShot(c.col, c.row));
        EXPECT_EQ(game.boards.OwnBoard, own) << "a ship cell never turns into water";
        EXPECT_FALSE(game.match.PlayerTurn);
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
        SetEnglish(c.english);
        RunningMatch(BoardFromRows({"", "", c.row, "", "", "", "", "", "", "#"}),
                     BoardFromRows({"#"}), false);
        game.match.RejectedCells.fill(CellMiss);
        host.ClearRecords();
        random.seed(41);
        Random draws = random;
        const bool miss = c.row[6] == '\0';
        if (miss) {
            draws.RandInt(3);
        } else {
            draws.RandInt(6);
            if (c.row[7] == '\0')
                draws.RandInt(5);
        }
        EXPECT_EQ(match.OpponentShot(6, 2), c.peerKeepsTurn);
        EXPECT_EQ(host.memo, QStringList{Utf8(c.line)});
        EXPECT_EQ(host.log, (std::vector<FakeHost::LogEntry>{{Utf8(c.line), false, false}}));
        EXPECT_EQ(game.match.PlayerTurn, !c.peerKeepsTurn);
        EXPECT_EQ(host.lampsPutOut, miss ? std::vector<bool>{false} : std::vector<bool>{});
        EXPECT_EQ(random.RandInt(1000), draws.RandInt(1000)) << "no targeting draws";
        EXPECT_EQ(game.match.RejectedCells.cells[0], CellWater);
    }
}

TEST_F(PeerMatch, TimerCountsThePeersTimeWithoutMovingForIt)
{
    RunningMatch(BoardFromRows({"#"}), BoardFromRows({"#"}), false);
    const TBoard own = game.boards.OwnBoard;
    match.Tick();
    EXPECT_EQ(game.match.OpponentTime, 1);
    EXPECT_EQ(game.boards.OwnBoard, own);
    EXPECT_TRUE(host.memo.isEmpty());

    // The connection dropped: the computer takes the peer's turns.
    host.peerConnected = false;
    match.Tick();
    EXPECT_EQ(game.match.OpponentTime, 2);
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
        SetEnglish(c.english);
        RunningMatch(BoardFromRows({c.won ? "#" : "S"}), BoardFromRows({c.won ? "S" : "#"}), true);
        host.ClearRecords();
        match.Tick();
        ASSERT_TRUE(game.match.GameOver);
        const QStringList texts = host.LogTexts();
        ASSERT_EQ(texts.size(), 24);
        EXPECT_EQ(texts[0], Utf8(c.winner));
        EXPECT_TRUE(host.memo[0].endsWith(u' ' + Utf8(c.winner))) << host.memo[0].toStdString();
        EXPECT_EQ(texts[13], Utf8(c.placingOfPeer));
        ASSERT_EQ(host.statistics.size(), 1u);
        EXPECT_EQ(host.statistics[0].endRemark, Utf8(c.remark));
        EXPECT_EQ(host.sounds, c.won ? QStringList{} : QStringList{"LAUGH"});
    }
}

} // namespace
