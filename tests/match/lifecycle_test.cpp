// Start, the turn timer, pause, abort and the end of a match.
#include "match_fixture.h"
#include "records/records.h"
#include "util/localtime.h"

#include <QLocale>
#include <set>

using namespace tw;

namespace {

using Box = MatchHost::Box;

QString TimeText(const QDateTime &now)
{
    return tw::LongTimeText(now.time());
}

int Count(const TBoard &board, int area, std::uint8_t code)
{
    int count = 0;
    for (int x = 1; x <= area; ++x)
        for (int y = 1; y <= area; ++y)
            count += board.at(x, y) == code;
    return count;
}

// The events of `all` that begin with one of `prefixes`, in order.
QStringList Only(const QStringList &all, const QStringList &prefixes)
{
    QStringList kept;
    for (const QString &event : all)
        for (const QString &prefix : prefixes)
            if (event.startsWith(prefix)) {
                kept << event;
                break;
            }
    return kept;
}

class Lifecycle : public MatchTest
{
protected:
    TPlayerRecord &Record(const QString &name)
    {
        for (TPlayerRecord &record : game.ScoreData.Players)
            if (record.Free == 0 && RecordName(record) == name)
                return record;
        ADD_FAILURE() << "no record for " << name.toStdString();
        return game.ScoreData.Players[99];
    }

    TPlayerRecord &StoredPlayer(const QString &name)
    {
        TPlayerRecord &record = game.ScoreData.Players[4];
        SetRecordName(record, name);
        record.Free = 0;
        record.Wins = 2;
        record.Losses = 3;
        record.LastGame = 1.0;
        record.LongestBattle = 100;
        record.ShortestBattle = 50;
        record.TopScore = 700;
        return record;
    }
};

TEST_F(Lifecycle, BeginRefusesWithTheRightBox)
{
    struct Case
    {
        const char *name;
        bool fleet;
        const char *player;
        bool inProgress;
        bool peer;
        bool invite;
        QStringList events;
    };
    const Case cases[] = {
        {"incomplete fleet", false, "NewUser", false, false, true, {"box 0"}},
        {"empty name", true, "", false, false, true, {"box 1"}},
        {"both: the fleet is named first", false, "", false, false, true, {"box 0"}},
        {"already in a match", true, "NewUser", true, false, true, {}},
        {"invitation declined", true, "NewUser", false, true, false, {"invite"}},
        {"computer fleet made before the network step",
         true,
         "NewUser",
         false,
         false,
         false,
         {"generate", "invite"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        if (c.fleet)
            PlaceOwnFleet(1);
        game.settings.PlayerName = QString::fromUtf8(c.player);
        game.match.GameInProgress = c.inProgress;
        host.peerConnected = c.peer;
        host.inviteAccepted = c.invite;
        host.ClearRecords();
        const BoardState boards = game.boards;
        EXPECT_FALSE(match.Begin());
        EXPECT_EQ(host.events, c.events);
        EXPECT_EQ(game.match.GameInProgress, c.inProgress);
        EXPECT_EQ(game.boards.OwnBoard, boards.OwnBoard);
    }
}

TEST_F(Lifecycle, BeginArmsBothBoardsAndNamesTheSides)
{
    struct Case
    {
        bool english;
        bool peer;
        QStringList opponentCaptions;
        const char *opponentLine;
    };
    const Case cases[] = {
        {true, false, {" Computer "}, "Opponent: computer"},
        {false, false, {Utf8(" Компьютер ")}, "Противник: компьютер"},
        {true, true, {}, "Opponent: Vasya"}, // the agreement has named the peer's board
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "english " << c.english << " peer " << c.peer);
        SetUp();
        SetEnglish(c.english);
        PlaceOwnFleet(2);
        const TBoard placed = game.boards.OwnBoard;
        if (c.peer) {
            Random peer(3);
            TFleetCounts counts;
            GenerateFleet(game.boards.OpponentBoard, counts, 10, peer);
            game.match.OpponentName = "Vasya";
            game.match.PlayerTurn = true;
        }
        const TBoard opponentPlaced = game.boards.OpponentBoard;
        host.peerConnected = c.peer;
        host.ClearRecords();
        game.agreement.AwaitingConfirmation = true;
        game.match.AimCol = 4;
        game.match.RejectedCells.fill(CellMiss);
        Random untouched = random;
        ASSERT_TRUE(match.Begin());

        EXPECT_TRUE(game.match.GameInProgress);
        EXPECT_FALSE(game.agreement.AwaitingConfirmation);
        EXPECT_EQ(game.match.AimCol, -1);
        EXPECT_EQ(game.match.AimRow, -1);
        EXPECT_EQ(Count(game.match.RejectedCells, BoardSide, CellWater), BoardCells);
        EXPECT_EQ(host.matchLayouts, 1);
        EXPECT_EQ(host.ownCaptions, QStringList{" NewUser "});
        EXPECT_EQ(host.opponentCaptions, c.opponentCaptions);
        EXPECT_EQ(host.events.contains("generate"), !c.peer);
        ASSERT_GE(host.log.size(), 4u);
        EXPECT_EQ(host.log[3].text, Utf8(c.opponentLine));
        if (c.peer) {
            EXPECT_TRUE(game.match.PlayerTurn) << "the agreement decided who begins";
            EXPECT_EQ(random.RandInt(1000), untouched.RandInt(1000)) << "nothing drawn";
        }
        for (const auto &[board, before] :
             {std::pair{&game.boards.OwnBoard, placed},
              std::pair{&game.boards.OpponentBoard, c.peer ? opponentPlaced : host.generatedFleet}})
            for (int x = 1; x <= 10; ++x)
                for (int y = 1; y <= 10; ++y)
                    EXPECT_EQ(board->at(x, y),
                              before.at(x, y) == CellShip ? CellIntact : CellWater);
        EXPECT_EQ(host.events.indexOf("paint own") + 1, host.events.indexOf("paint opponent"));
    }
}

TEST_F(Lifecycle, EitherSideMovesFirstWithEvenOdds)
{
    const int matches = 2000;
    int playerFirst = 0;
    for (int i = 0; i < matches; ++i) {
        SetUp();
        PlaceOwnFleet(7);
        random.seed(static_cast<std::uint32_t>(i));
        ASSERT_TRUE(match.Begin());
        playerFirst += game.match.PlayerTurn;
        game.match.GameInProgress = false;
    }
    EXPECT_NEAR(double(playerFirst) / matches, 0.5, 0.03);
}

TEST_F(Lifecycle, TimeCountsForTheSideToMoveAndNotWhilePaused)
{
    PlaceOwnFleet(4);
    ASSERT_TRUE(match.Begin());
    game.match.PlayerTurn = true;
    for (int i = 0; i < 3; ++i)
        match.Tick();
    EXPECT_EQ(game.match.PlayerTime, 3);
    EXPECT_EQ(game.match.OpponentTime, 0);
    EXPECT_EQ(host.turnTimes.back(), (std::pair<QString, QString>{"00:00:03", "00:00:00"}));

    host.ClearRecords();
    match.PauseButton(true);
    EXPECT_TRUE(game.match.Paused);
    EXPECT_EQ(host.intervals, std::vector<int>{100});
    EXPECT_EQ(host.memo, QStringList{TimeText(host.now) + " pause"});
    EXPECT_EQ(host.log, (std::vector<FakeHost::LogEntry>{{"pause", true, false}}));

    const TBoard own = game.boards.OwnBoard;
    for (int i = 0; i < 200; ++i)
        match.Tick();
    EXPECT_EQ(game.match.PlayerTime, 3);
    EXPECT_EQ(game.match.OpponentTime, 0);
    EXPECT_TRUE(host.turnTimes.empty());
    EXPECT_EQ(game.boards.OwnBoard, own);

    // Each paused tick scrambles the own board, then the opponent's, with a
    // column number or a row letter over a cell of the area.
    ASSERT_EQ(host.scrambles.size(), 400u);
    std::set<int> pictures, xs, ys;
    std::set<bool> kinds;
    for (std::size_t i = 0; i < host.scrambles.size(); ++i) {
        const FakeHost::ScrambleCall &s = host.scrambles[i];
        EXPECT_EQ(s.ownBoard, i % 2 == 0);
        pictures.insert(s.picture);
        xs.insert(s.x);
        ys.insert(s.y);
        kinds.insert(s.columnNumber);
    }
    EXPECT_EQ(pictures, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
    EXPECT_EQ(xs, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(ys, xs);
    EXPECT_EQ(kinds.size(), 2u);

    Aim({5, 5});
    match.PlayerShot();
    EXPECT_EQ(host.beeps, 1) << "no shot while paused";

    host.ClearRecords();
    match.PauseButton(false);
    EXPECT_FALSE(game.match.Paused);
    EXPECT_EQ(host.intervals, std::vector<int>{1000});
    EXPECT_EQ(host.memo, QStringList{TimeText(host.now) + " continue"});
    EXPECT_EQ(host.log, (std::vector<FakeHost::LogEntry>{{"continue", true, false}}));
    EXPECT_EQ(host.ownPaints, 1);
    EXPECT_EQ(host.opponentPaints, 1);

    game.match.PlayerTurn = false;
    match.Tick();
    EXPECT_EQ(game.match.PlayerTime, 3);
    EXPECT_EQ(game.match.OpponentTime, 1);
}

TEST_F(Lifecycle, PauseTextsInRussian)
{
    SetEnglish(false);
    PlaceOwnFleet(4);
    ASSERT_TRUE(match.Begin());
    host.ClearRecords();
    match.PauseButton(true);
    match.PauseButton(false);
    EXPECT_EQ(host.memo, (QStringList{TimeText(host.now) + Utf8(" пауза"),
                                      TimeText(host.now) + Utf8(" продолжение")}));
    EXPECT_EQ(host.log, (std::vector<FakeHost::LogEntry>{{Utf8("пауза"), true, false},
                                                         {Utf8("продолжение"), true, false}}));
}

TEST_F(Lifecycle, PauseOnlyAgainstTheComputerInAMatch)
{
    // A network match, or no match at all: the button changes only its look.
    for (bool peer : {false, true}) {
        RunningMatch(BoardFromRows({"#"}), BoardFromRows({"#"}), true);
        game.match.GameInProgress = peer;
        host.peerConnected = peer;
        host.ClearRecords();
        match.PauseButton(true);
        EXPECT_FALSE(game.match.Paused);
        EXPECT_TRUE(host.events.isEmpty());
    }
}

TEST_F(Lifecycle, TickOutsideAMatchOnlyShowsTheConnection)
{
    match.Tick();
    EXPECT_EQ(host.connectionStates, 1);
    EXPECT_TRUE(host.events.isEmpty());
    EXPECT_EQ(game.match.PlayerTime + game.match.OpponentTime, 0);
}

TEST_F(Lifecycle, AbortAsksFirstAndCancelChangesNothing)
{
    match.Abort();
    EXPECT_TRUE(host.boxes.empty()) << "no question outside a match";

    PlaceOwnFleet(5);
    ASSERT_TRUE(match.Begin());
    const TBoard own = game.boards.OwnBoard;
    host.abortConfirmed = false;
    host.ClearRecords();
    match.Abort();
    EXPECT_EQ(host.boxes, std::vector<Box>{Box::ConfirmAbort});
    EXPECT_EQ(host.events.size(), 1);
    EXPECT_FALSE(game.match.GameAborted);
    EXPECT_EQ(game.boards.OwnBoard, own);
}

TEST_F(Lifecycle, AbortEndsAsALossThatLeavesTheBattleFiguresAlone)
{
    struct Case
    {
        bool english;
        const char *aborted;
        const char *computerWins;
    };
    const Case cases[] = {
        {true, "The game is aborted by user.", "computer wins"},
        {false, "Игра прервана пользователем", "победа компьютера"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.aborted);
        SetUp();
        SetEnglish(c.english);
        StoredPlayer("NewUser");
        PlaceOwnFleet(6);
        const TBoard placed = game.boards.OwnBoard;
        ASSERT_TRUE(match.Begin());
        const TBoard opponent = game.boards.OpponentBoard;
        game.match.PlayerTime = 500;
        game.match.GameScore = 900;
        match.PauseButton(true);
        host.ClearRecords();

        match.Abort();
        EXPECT_EQ(host.events, (QStringList{"box 2", "send aborted", "log " + Utf8(c.aborted)}));
        EXPECT_EQ(host.log.back(), (FakeHost::LogEntry{Utf8(c.aborted), false, false}));
        EXPECT_FALSE(game.match.Paused);
        EXPECT_TRUE(game.match.GameAborted);
        EXPECT_EQ(game.boards.OwnBoard, placed) << "every own ship shows whole";
        EXPECT_EQ(game.boards.OpponentBoard, opponent);

        host.ClearRecords();
        match.Tick();
        EXPECT_TRUE(game.match.GameOver);
        EXPECT_EQ(host.sounds, QStringList{"LAUGH"});
        EXPECT_EQ(host.memo, QStringList{TimeText(host.now) + u' ' + Utf8(c.computerWins)});
        EXPECT_EQ(host.log.front(), (FakeHost::LogEntry{Utf8(c.computerWins), true, false}));
        const TPlayerRecord &record = Record("NewUser");
        EXPECT_EQ(record.Wins, 2);
        EXPECT_EQ(record.Losses, 4);
        EXPECT_EQ(record.LongestBattle, 100);
        EXPECT_EQ(record.ShortestBattle, 50);
        EXPECT_EQ(record.TopScore, 700);
        EXPECT_DOUBLE_EQ(record.LastGame, OleDateFromDateTime(host.now));
    }
}

TEST_F(Lifecycle, BothFleetsGoneAtOneTickIsALoss)
{
    RunningMatch(BoardFromRows({"S"}), BoardFromRows({"S"}), true);
    match.Tick();
    EXPECT_TRUE(game.match.GameOver);
    EXPECT_EQ(host.music, QStringList{"loose"});
    EXPECT_EQ(Record("NewUser").Losses, 1);
    EXPECT_EQ(Record("NewUser").Wins, 0);
}

TEST_F(Lifecycle, EndRecordsBeforeTheStatisticsAndClearsTheRemarkAfter)
{
    struct Case
    {
        const char *name;
        const char *own;
        const char *opponent;
        QStringList steps;
        int wins;
    };
    const Case cases[] = {
        {"lost",
         "S",
         "#",
         {"sound LAUGH", "music loose", "memo " + TimeText(host.now) + " computer wins",
          "log computer wins", "log Game time: 00:00:12", "paint own", "paint opponent",
          "save records", "statistics"},
         0},
        {"won",
         "#",
         "S",
         {"music win", "memo " + TimeText(host.now) + " the winner is NewUser",
          "log the winner is NewUser", "log Game time: 00:00:12", "paint own", "paint opponent",
          "save records", "statistics"},
         1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        RunningMatch(BoardFromRows({c.own}), BoardFromRows({c.opponent}), true);
        game.match.PlayerTime = 7;
        game.match.OpponentTime = 5;
        game.match.GameScore = 300;
        host.ClearRecords();
        match.Tick();

        EXPECT_TRUE(game.match.GameOver);
        EXPECT_FALSE(game.match.GameInProgress);
        EXPECT_EQ(Only(host.events, {"sound", "music", "memo", "log computer", "log the",
                                     "log Game", "paint", "save", "statistics"}),
                  c.steps);
        ASSERT_EQ(host.statistics.size(), 1u);
        const FakeHost::StatisticsShown &shown = host.statistics[0];
        EXPECT_FALSE(shown.gameInProgress);
        EXPECT_TRUE(shown.endRemark.contains("NewUser")) << shown.endRemark.toStdString();
        EXPECT_TRUE(game.match.EndRemark.isEmpty());
        // The record was written before the window showed it.
        const TPlayerRecord *record = nullptr;
        for (const TPlayerRecord &r : shown.scores.Players)
            if (r.Free == 0 && RecordName(r) == "NewUser")
                record = &r;
        ASSERT_NE(record, nullptr);
        // What was shown had been saved, the result included.
        ASSERT_EQ(host.saved.size(), 1u);
        EXPECT_EQ(encodeScoreBlock(host.saved[0]), encodeScoreBlock(shown.scores));
        EXPECT_EQ(record->Wins, c.wins);
        EXPECT_EQ(record->Losses, 1 - c.wins);
        EXPECT_EQ(record->LongestBattle, 12);
        EXPECT_EQ(record->ShortestBattle, 12);
        EXPECT_EQ(record->TopScore, 300);
    }
}

TEST_F(Lifecycle, FinishClearsBothBoardsAndTheFleet)
{
    PlaceOwnFleet(8);
    ASSERT_TRUE(match.Begin());
    game.boards.OwnBoard = BoardFromRows({"S"});
    match.Tick();
    ASSERT_TRUE(game.match.GameOver);
    host.ClearRecords();
    match.Finish();
    TBoard empty;
    empty.fill(CellWater);
    EXPECT_EQ(game.boards.OwnBoard, empty);
    EXPECT_EQ(game.boards.OpponentBoard, empty);
    EXPECT_EQ(game.boards.PlacedFleet, TFleetCounts{});
    EXPECT_FALSE(game.match.GameInProgress);
    EXPECT_EQ(host.events, (QStringList{"paint own", "paint opponent", "idle layout"}));

    host.ClearRecords();
    EXPECT_FALSE(match.Begin());
    EXPECT_EQ(host.boxes, std::vector<Box>{Box::FleetIncomplete});
}

} // namespace
