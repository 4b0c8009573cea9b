// SPDX-License-Identifier: GPL-3.0-or-later
// Start, the turn timer, pause, abort and the end of a match.
#include "common/gamestateaccess.h"
#include "match_fixture.h"
#include "records/records.h"
#include "util/localtime.h"

#include <QLocale>
#include <set>

using namespace tw;

namespace {

using Box = MatchDialogs::Box;

QString timeText(const QDateTime &now)
{
    return tw::longTimeText(now.time());
}

int countCells(const Board &board, int area, std::uint8_t code)
{
    int count = 0;
    for (int x = 1; x <= area; ++x)
        for (int y = 1; y <= area; ++y)
            count += board.at(x, y) == code;
    return count;
}

// The events of `all` that begin with one of `prefixes`, in order.
QStringList only(const QStringList &all, const QStringList &prefixes)
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
    PlayerRecord &recordAt(const QString &name)
    {
        for (PlayerRecord &record : game.scores().players)
            if (record.free == 0 && recordName(record) == name)
                return record;
        ADD_FAILURE() << "no record for " << name.toStdString();
        return game.scores().players[99];
    }

    PlayerRecord &storedPlayer(const QString &name)
    {
        PlayerRecord &record = game.scores().players[4];
        setRecordName(record, name);
        record.free = 0;
        record.wins = 2;
        record.losses = 3;
        record.lastGame = 1.0;
        record.longestBattle = 100;
        record.shortestBattle = 50;
        record.topScore = 700;
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
            placeOwnFleet(1);
        game.settings().playerName = QString::fromUtf8(c.player);
        matchOf(game).gameInProgress = c.inProgress;
        host.linked = c.peer;
        host.inviteAccepted = c.invite;
        host.clearRecords();
        const BoardState boards = game.boards();
        EXPECT_FALSE(match.begin());
        EXPECT_EQ(host.events, c.events);
        EXPECT_EQ(matchOf(game).gameInProgress, c.inProgress);
        EXPECT_EQ(game.boards().ownBoard, boards.ownBoard);
        match.peerAnswered(false); // the refusal of an invitation sent
        EXPECT_EQ(host.events, c.events);
        EXPECT_EQ(matchOf(game).gameInProgress, c.inProgress);
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
        {false, false, {utf8(" Компьютер ")}, "Противник: компьютер"},
        {true, true, {}, "Opponent: Vasya"}, // the agreement has named the peer's board
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "english " << c.english << " peer " << c.peer);
        SetUp();
        setEnglish(c.english);
        placeOwnFleet(2);
        const Board placed = game.boards().ownBoard;
        Board opponentPlaced = game.boards().opponentBoard;
        if (c.peer) {
            Random peer(3);
            FleetCounts counts;
            generateFleet(opponentPlaced, counts, 10, peer);
            host.agreement = AgreedMatch{"Vasya", opponentPlaced, true};
        }
        host.linked = c.peer;
        host.clearRecords();
        matchOf(game).rejectedCells.fill(CellMiss);
        Random untouched = random;
        ASSERT_TRUE(match.begin());

        EXPECT_TRUE(matchOf(game).gameInProgress);
        EXPECT_FALSE(host.agreement) << "the agreement is taken";
        EXPECT_EQ(countCells(matchOf(game).rejectedCells, BoardSide, CellWater), BoardCells);
        EXPECT_EQ(host.matchLayouts, 1);
        EXPECT_EQ(host.ownCaptions, QStringList{" NewUser "});
        EXPECT_EQ(host.opponentCaptions, c.opponentCaptions);
        EXPECT_EQ(host.events.contains("generate"), !c.peer);
        ASSERT_GE(host.log.size(), 4u);
        EXPECT_EQ(host.log[3].text, utf8(c.opponentLine));
        if (c.peer) {
            EXPECT_TRUE(matchOf(game).playerTurn) << "the agreement decided who begins";
            EXPECT_EQ(random.randInt(1000), untouched.randInt(1000)) << "nothing drawn";
        }
        for (const auto &[board, before] :
             {std::pair{&game.boards().ownBoard, placed},
              std::pair{&game.boards().opponentBoard,
                        c.peer ? opponentPlaced : host.generatedFleet}})
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
        placeOwnFleet(7);
        random.seed(static_cast<std::uint32_t>(i));
        ASSERT_TRUE(match.begin());
        playerFirst += matchOf(game).playerTurn;
        matchOf(game).gameInProgress = false;
    }
    EXPECT_NEAR(double(playerFirst) / matches, 0.5, 0.03);
}

TEST_F(Lifecycle, TimeCountsForTheSideToMoveAndNotWhilePaused)
{
    placeOwnFleet(4);
    ASSERT_TRUE(match.begin());
    matchOf(game).playerTurn = true;
    for (int i = 0; i < 3; ++i)
        match.tick();
    EXPECT_EQ(matchOf(game).playerTime, 3);
    EXPECT_EQ(matchOf(game).opponentTime, 0);
    EXPECT_EQ(host.clocks.back(), (std::pair<int, int>{3, 0}));

    host.clearRecords();
    match.pauseButton(true);
    EXPECT_TRUE(matchOf(game).paused);
    EXPECT_EQ(host.pauses, std::vector<bool>{true});
    EXPECT_EQ(host.memo, QStringList{timeText(host.clock) + " pause"});
    EXPECT_EQ(host.log, (std::vector<FakeHost::LogEntry>{{"pause", true, false}}));

    const Board own = game.boards().ownBoard;
    for (int i = 0; i < 200; ++i)
        match.tick();
    EXPECT_EQ(matchOf(game).playerTime, 3);
    EXPECT_EQ(matchOf(game).opponentTime, 0);
    EXPECT_TRUE(host.clocks.empty());
    EXPECT_EQ(game.boards().ownBoard, own);

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

    shootAt({5, 5});
    EXPECT_EQ(host.beeps, 1) << "no shot while paused";

    host.clearRecords();
    match.pauseButton(false);
    EXPECT_FALSE(matchOf(game).paused);
    EXPECT_EQ(host.pauses, std::vector<bool>{false});
    EXPECT_EQ(host.memo, QStringList{timeText(host.clock) + " continue"});
    EXPECT_EQ(host.log, (std::vector<FakeHost::LogEntry>{{"continue", true, false}}));
    EXPECT_EQ(host.ownPaints, 1);
    EXPECT_EQ(host.opponentPaints, 1);
    int scrambledLeft = 0;
    for (int x = 1; x <= BoardSide; ++x)
        for (int y = 1; y <= BoardSide; ++y)
            for (const Scramble *layer :
                 {&matchOf(game).ownScramble, &matchOf(game).opponentScramble})
                scrambledLeft += layer->at(x, y).picture != -1;
    EXPECT_EQ(scrambledLeft, 0) << "the boards show themselves again";

    matchOf(game).playerTurn = false;
    match.tick();
    EXPECT_EQ(matchOf(game).playerTime, 3);
    EXPECT_EQ(matchOf(game).opponentTime, 1);
}

TEST_F(Lifecycle, PauseTextsInRussian)
{
    setEnglish(false);
    placeOwnFleet(4);
    ASSERT_TRUE(match.begin());
    host.clearRecords();
    match.pauseButton(true);
    match.pauseButton(false);
    EXPECT_EQ(host.memo, (QStringList{timeText(host.clock) + utf8(" пауза"),
                                      timeText(host.clock) + utf8(" продолжение")}));
    EXPECT_EQ(host.log, (std::vector<FakeHost::LogEntry>{{utf8("пауза"), true, false},
                                                         {utf8("продолжение"), true, false}}));
}

TEST_F(Lifecycle, PauseOnlyAgainstTheComputerInAMatch)
{
    // A network match, or no match at all: the button changes only its look.
    for (bool peer : {false, true}) {
        host.linked = peer;
        runningMatch(boardFromRows({"#"}), boardFromRows({"#"}), true);
        matchOf(game).gameInProgress = peer;
        host.clearRecords();
        match.pauseButton(true);
        EXPECT_FALSE(matchOf(game).paused);
        EXPECT_TRUE(host.events.isEmpty());
    }
}

TEST_F(Lifecycle, TickOutsideAMatchOnlyShowsTheConnection)
{
    match.tick();
    EXPECT_EQ(host.connectionStates, 1);
    EXPECT_TRUE(host.events.isEmpty());
    EXPECT_EQ(matchOf(game).playerTime + matchOf(game).opponentTime, 0);
}

TEST_F(Lifecycle, AbortAsksFirstAndCancelChangesNothing)
{
    match.abort();
    EXPECT_TRUE(host.boxes.empty()) << "no question outside a match";

    placeOwnFleet(5);
    ASSERT_TRUE(match.begin());
    const Board own = game.boards().ownBoard;
    host.abortConfirmed = false;
    host.clearRecords();
    match.abort();
    EXPECT_EQ(host.boxes, std::vector<Box>{Box::ConfirmAbort});
    EXPECT_EQ(host.events.size(), 1);
    EXPECT_FALSE(matchOf(game).gameAborted);
    EXPECT_EQ(game.boards().ownBoard, own);
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
        setEnglish(c.english);
        storedPlayer("NewUser");
        placeOwnFleet(6);
        const Board placed = game.boards().ownBoard;
        ASSERT_TRUE(match.begin());
        const Board opponent = game.boards().opponentBoard;
        matchOf(game).playerTime = 500;
        matchOf(game).gameScore = 900;
        match.pauseButton(true);
        host.clearRecords();

        match.abort();
        EXPECT_EQ(host.events, (QStringList{"box 2", "send aborted", "log " + utf8(c.aborted)}));
        EXPECT_EQ(host.log.back(), (FakeHost::LogEntry{utf8(c.aborted), false, false}));
        EXPECT_FALSE(matchOf(game).paused);
        EXPECT_TRUE(matchOf(game).gameAborted);
        EXPECT_EQ(game.boards().ownBoard, placed) << "every own ship shows whole";
        EXPECT_EQ(game.boards().opponentBoard, opponent);

        host.clearRecords();
        match.tick();
        EXPECT_TRUE(matchOf(game).gameOver);
        EXPECT_EQ(host.sounds, QStringList{"LAUGH"});
        EXPECT_EQ(host.memo, QStringList{timeText(host.clock) + u' ' + utf8(c.computerWins)});
        EXPECT_EQ(host.log.front(), (FakeHost::LogEntry{utf8(c.computerWins), true, false}));
        const PlayerRecord &record = recordAt("NewUser");
        EXPECT_EQ(record.wins, 2);
        EXPECT_EQ(record.losses, 4);
        EXPECT_EQ(record.longestBattle, 100);
        EXPECT_EQ(record.shortestBattle, 50);
        EXPECT_EQ(record.topScore, 700);
        EXPECT_DOUBLE_EQ(record.lastGame, oleDateFromDateTime(host.clock));
    }
}

// The abort question stays open while the match goes on: the peer's shots
// land and the clocks run. The answer, when it comes, does what it would have
// done at once, unless the match is over by then.
TEST_F(Lifecycle, AbortQuestionAnsweredLaterWhileThePeerPlaysOn)
{
    struct Case
    {
        const char *name;
        bool confirmed;
        bool endsMeanwhile;
        QStringList afterAnswer;
    };
    const Case cases[] = {
        {"OK", true, false, {"send aborted", "log The game is aborted by user."}},
        {"Cancel", false, false, {}},
        {"OK after the end", true, true, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        placeOwnFleet(5);
        host.linked = true;
        host.agreement = AgreedMatch{QStringLiteral("Vasya"), boardFromRows({"#"}), false};
        ASSERT_TRUE(match.begin());
        host.holdBoxes = true;
        host.clearRecords();
        match.abort();
        ASSERT_TRUE(host.openBox);
        match.abort(); // the question is open already
        EXPECT_EQ(host.boxes, std::vector<Box>{Box::ConfirmAbort});

        const Board own = game.boards().ownBoard;
        match.tick();
        EXPECT_EQ(host.clocks.back(), std::make_pair(0, 1));
        match.peerShot(0, 0);
        EXPECT_NE(game.boards().ownBoard, own) << "the peer's shot landed";
        match.tick();
        EXPECT_EQ(host.clocks.back().first + host.clocks.back().second, 2);
        if (c.endsMeanwhile) {
            game.boards().ownBoard = boardFromRows({"S"});
            match.tick();
            ASSERT_TRUE(matchOf(game).gameOver);
        }

        host.clearRecords();
        std::exchange(host.openBox, nullptr)(c.confirmed);
        EXPECT_EQ(host.events, c.afterAnswer);
        EXPECT_EQ(matchOf(game).gameAborted, c.confirmed && !c.endsMeanwhile);
        EXPECT_EQ(matchOf(game).gameInProgress, !c.endsMeanwhile);
        if (!c.endsMeanwhile) {
            match.abort();
            EXPECT_TRUE(host.openBox) << "a new question once the last is answered";
            std::exchange(host.openBox, nullptr)(false);
        }
    }
}

// Until the statistics window of the end closes, the match stays as it
// ended: the remark shown, nothing cleared away, no new match begun; the
// turn timer only ticks the connection display.
TEST_F(Lifecycle, TheEndWaitsForTheStatisticsWindowToClose)
{
    placeOwnFleet(3);
    ASSERT_TRUE(match.begin());
    game.boards().opponentBoard = boardFromRows({"S"});
    host.closeStatistics = false;
    QObject::connect(&match, &Match::over, [this] { host.events << "over"; });
    match.tick();
    ASSERT_EQ(host.statistics.size(), 1u);
    EXPECT_FALSE(host.events.contains("over"));
    const QString remark = matchOf(game).endRemark;
    EXPECT_FALSE(remark.isEmpty());

    host.clearRecords();
    match.tick();
    EXPECT_EQ(host.connectionStates, 1);
    EXPECT_FALSE(match.begin());
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_FALSE(host.events.contains("invite"));
    EXPECT_EQ(matchOf(game).endRemark, remark);

    host.clearRecords();
    match.statisticsClosed();
    match.statisticsClosed();
    EXPECT_EQ(host.events, QStringList{"over"});
    EXPECT_TRUE(matchOf(game).endRemark.isEmpty());
}

TEST_F(Lifecycle, BothFleetsGoneAtOneTickIsALoss)
{
    runningMatch(boardFromRows({"S"}), boardFromRows({"S"}), true);
    match.tick();
    EXPECT_TRUE(matchOf(game).gameOver);
    EXPECT_EQ(host.music, QStringList{"loose"});
    EXPECT_EQ(recordAt("NewUser").losses, 1);
    EXPECT_EQ(recordAt("NewUser").wins, 0);
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
         {"sound LAUGH", "music loose", "memo " + timeText(host.clock) + " computer wins",
          "log computer wins", "log Game time: 00:00:12", "paint own", "paint opponent",
          "save records", "statistics"},
         0},
        {"won",
         "#",
         "S",
         {"music win", "memo " + timeText(host.clock) + " the winner is NewUser",
          "log the winner is NewUser", "log Game time: 00:00:12", "paint own", "paint opponent",
          "save records", "statistics"},
         1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        runningMatch(boardFromRows({c.own}), boardFromRows({c.opponent}), true);
        matchOf(game).playerTime = 7;
        matchOf(game).opponentTime = 5;
        matchOf(game).gameScore = 300;
        host.clearRecords();
        match.tick();

        EXPECT_TRUE(matchOf(game).gameOver);
        EXPECT_FALSE(matchOf(game).gameInProgress);
        EXPECT_EQ(only(host.events, {"sound", "music", "memo", "log computer", "log the",
                                     "log Game", "paint", "save", "statistics"}),
                  c.steps);
        ASSERT_EQ(host.statistics.size(), 1u);
        const FakeHost::StatisticsShown &shown = host.statistics[0];
        EXPECT_FALSE(shown.gameInProgress);
        EXPECT_TRUE(shown.endRemark.contains("NewUser")) << shown.endRemark.toStdString();
        EXPECT_TRUE(matchOf(game).endRemark.isEmpty());
        // The record was written before the window showed it.
        const PlayerRecord *record = nullptr;
        for (const PlayerRecord &r : shown.scores.players)
            if (r.free == 0 && recordName(r) == "NewUser")
                record = &r;
        ASSERT_NE(record, nullptr);
        // What was shown had been saved, the result included.
        ASSERT_EQ(host.saved.size(), 1u);
        EXPECT_EQ(encodeScoreBlock(host.saved[0]), encodeScoreBlock(shown.scores));
        EXPECT_EQ(record->wins, c.wins);
        EXPECT_EQ(record->losses, 1 - c.wins);
        EXPECT_EQ(record->longestBattle, 12);
        EXPECT_EQ(record->shortestBattle, 12);
        EXPECT_EQ(record->topScore, 300);
    }
}

TEST_F(Lifecycle, FinishClearsBothBoardsAndTheFleet)
{
    placeOwnFleet(8);
    ASSERT_TRUE(match.begin());
    game.boards().ownBoard = boardFromRows({"S"});
    match.tick();
    ASSERT_TRUE(matchOf(game).gameOver);
    host.clearRecords();
    match.finish();
    Board empty;
    empty.fill(CellWater);
    EXPECT_EQ(game.boards().ownBoard, empty);
    EXPECT_EQ(game.boards().opponentBoard, empty);
    EXPECT_EQ(game.boards().placedFleet, FleetCounts{});
    EXPECT_FALSE(matchOf(game).gameInProgress);
    EXPECT_EQ(host.events, (QStringList{"paint own", "paint opponent", "idle layout"}));

    host.clearRecords();
    EXPECT_FALSE(match.begin());
    EXPECT_EQ(host.boxes, std::vector<Box>{Box::FleetIncomplete});
}

} // namespace

namespace {

TEST_F(Lifecycle, AnInvitedPeersAnswerBeginsTheMatchOnYesOnly)
{
    for (bool yes : {false, true}) {
        SCOPED_TRACE(yes ? "yes" : "no");
        SetUp();
        placeOwnFleet(9);
        host.agreement = AgreedMatch{"Vasya", {}, false};
        host.linked = true;
        host.inviteAccepted = false; // the invitation waits for the answer
        EXPECT_FALSE(match.begin());
        EXPECT_FALSE(match.begin()) << "Start again while waiting";
        EXPECT_EQ(host.events, QStringList{"invite"});
        EXPECT_FALSE(matchOf(game).gameInProgress);

        match.peerAnswered(yes);
        EXPECT_EQ(matchOf(game).gameInProgress, yes);
        EXPECT_EQ(host.matchLayouts, yes ? 1 : 0);
        if (yes) {
            ASSERT_GE(host.log.size(), 4u);
            EXPECT_EQ(host.log[3].text, "Opponent: Vasya");
        }
        match.peerAnswered(true);
        EXPECT_EQ(host.matchLayouts, yes ? 1 : 0) << "an answer nobody waits for";
        if (!yes) {
            host.clearRecords();
            EXPECT_FALSE(match.begin());
            EXPECT_EQ(host.events, QStringList{"invite"}) << "a new Start invites again";
            match.peerAnswered(false);
        }
        matchOf(game).gameInProgress = false;
    }
}

TEST_F(Lifecycle, OverFollowsTheStatisticsOnce)
{
    runningMatch(boardFromRows({"#"}), boardFromRows({"S"}), true);
    QObject::connect(&match, &Match::over, [this] { host.events << "over"; });
    match.tick();
    match.tick();
    EXPECT_EQ(host.events.count("over"), 1);
    EXPECT_EQ(host.events.indexOf("statistics") + 1, host.events.indexOf("over"));
}

} // namespace
