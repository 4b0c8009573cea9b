// SPDX-License-Identifier: GPL-3.0-or-later
#include "match.h"

#include "cues.h"
#include "matchlog.h"
#include "records/records.h"
#include "remarks.h"
#include "scoring.h"
#include "targeting.h"

#include <algorithm>
#include <utility>

namespace tw {

namespace {

constexpr int ScrambleImages = 15; // the column-number and row-letter lists

} // namespace

Match::Match(GameState &game, Random &random, MatchDialogs &dialogs, MatchSounds &sounds,
             PeerChannel &network, GameLog &log, const LogClock &clock, QObject *parent)
    : QObject(parent), m_game(game), m_random(random), m_dialogs(dialogs), m_sounds(sounds),
      m_network(network), m_log(log), m_clock(clock), m_peer(network)
{}

const Catalogue &Match::texts() const
{
    return catalogueOf(m_game.settings());
}

void Match::logLine(const QString &text, bool withTime, bool withDate)
{
    m_log.setEnabled(m_game.settings().saveLog);
    m_log.logLine(text, withTime, withDate);
}

void Match::chooseOpponent()
{
    if (m_network.peerConnected())
        m_opponent = &m_peer;
    else
        m_opponent = &m_computer;
}

bool Match::begin()
{
    MatchState &m = m_game.m_match;
    BoardState &b = m_game.boards();
    if (m.gameInProgress || m_awaitingPeer || m_statisticsOpen)
        return false;
    if (!fleetComplete(b.placedFleet)) {
        m_dialogs.ask(MatchDialogs::Box::FleetIncomplete);
        return false;
    }
    if (m_game.settings().playerName.isEmpty()) {
        m_dialogs.ask(MatchDialogs::Box::NoPlayerName);
        return false;
    }
    if (!m_network.peerConnected())
        m_dialogs.generateOpponentFleet(b.opponentBoard);
    m.rejectedCells.fill(CellWater);
    // The answer may come before invitePeer() returns, while the waiting
    // window is being shown.
    m_awaitingPeer = true;
    if (m_network.invitePeer() == PeerChannel::Invitation::Sent)
        return false;
    m_awaitingPeer = false;
    start();
    return true;
}

void Match::peerAnswered(bool accepted)
{
    if (!std::exchange(m_awaitingPeer, false) || !accepted)
        return;
    start();
}

void Match::start()
{
    MatchState &m = m_game.m_match;
    BoardState &b = m_game.boards();
    chooseOpponent();
    if (std::optional<AgreedMatch> agreed = m_network.takeAgreedMatch()) {
        b.opponentBoard = agreed->opponentBoard;
        m.opponentName = agreed->opponentName;
        m.playerTurn = agreed->playerFirst;
    }

    m.gameInProgress = true;
    m.gameOver = false;
    m.opponentTime = 0;
    m.playerTime = 0;
    m.paused = false;
    clearScramble();
    m.gameAborted = false;
    emit modeChanged(true);

    const bool network = m_opponent->isPeer();
    const QString &player = m_game.settings().playerName;
    logLine(QString());
    logLine(texts().translate("Match", "--------------------> New game"));
    logLine(texts().translate("Match", "Player: %1").arg(player));
    logLine(network ? texts().translate("Match", "Opponent: %1").arg(m.opponentName)
                    : texts().translate("Match", "Opponent: computer"));
    //: The log's line of the moment a match starts.
    const QString start = texts().translate("Match", "start");
    logLine(start, true, true);
    emit logWindowLine(dateTimeText(m_clock.now()) + u' ' + start);

    armBoard(b.ownBoard, b.areaSize);
    armBoard(b.opponentBoard, b.areaSize);
    if (!network)
        emit captionChanged(Side::Opponent, u' ' + texts().translate("Match", "Computer") + u' ');
    emit captionChanged(Side::Own, u' ' + player + u' ');
    emit boardChanged(Side::Own);
    emit boardChanged(Side::Opponent);
    if (!network)
        m.playerTurn = m_random.randInt(2) == 0;
}

void Match::finish()
{
    MatchState &m = m_game.m_match;
    BoardState &b = m_game.boards();
    m.gameInProgress = false;
    clearBoard(b.ownBoard, b.placedFleet);
    clearBoard(b.opponentBoard);
    emit boardChanged(Side::Own);
    emit boardChanged(Side::Opponent);
    m.paused = false;
    clearScramble();
    m.gameScore = 0;
    m.playerMisses = 0;
    m_network.agreedMatchOver();
    emit modeChanged(false);
}

void Match::tick()
{
    MatchState &m = m_game.m_match;
    const int n = m_game.boards().areaSize;
    if (!m.gameInProgress) {
        emit idleTick();
        return;
    }
    if (m.paused) {
        for (bool own : {true, false}) {
            const int x = m_random.randInt(n) + 1;
            const int y = m_random.randInt(n) + 1;
            const int picture = m_random.randInt(ScrambleImages);
            const bool columnNumber = m_random.randInt(2) == 0;
            (own ? m.ownScramble : m.opponentScramble).mark(x, y, {columnNumber, picture});
            emit scrambleChanged(own ? Side::Own : Side::Opponent, x, y);
        }
        return;
    }
    if (fleetDestroyed(m_game.boards().ownBoard, n)) {
        end(Ending::Lost);
        return;
    }
    if (fleetDestroyed(m_game.boards().opponentBoard, n)) {
        end(Ending::Won);
        return;
    }
    if (m.playerTurn) {
        ++m.playerTime;
    } else {
        ++m.opponentTime;
        if (!m_opponent->isPeer()) {
            const bool hit = computerShot();
            // A rejected target gets one more try within the same tick.
            if (!m_opponent->isPeer() && !m.playerTurn && !hit)
                computerShot();
        }
    }
    emit clocksChanged(m.playerTime, m.opponentTime);
}

void Match::end(Ending ending)
{
    MatchState &m = m_game.m_match;
    BoardState &b = m_game.boards();
    const QString &player = m_game.settings().playerName;
    const bool network = m_opponent->isPeer();
    m.gameOver = true;
    m.gameInProgress = false;

    if (ending == Ending::Lost) {
        m_sounds.playSound(QStringLiteral("LAUGH"));
        m_sounds.playMusic(QStringLiteral("loose"));
        const QString line =
            network ? texts().translate("Match", "the winner is %1").arg(m.opponentName)
                    : texts().translate("Match", "computer wins");
        emit logWindowLine(timeText(m_clock.now()) + u' ' + line);
        logLine(line, true);
    } else {
        m_sounds.playMusic(QStringLiteral("win"));
        const QString line = texts().translate("Match", "the winner is %1").arg(player);
        emit logWindowLine(timeText(m_clock.now()) + u' ' + line);
        logLine(line, true);
    }
    revealShips(b.ownBoard, b.areaSize);
    revealShips(b.opponentBoard, b.areaSize);
    for (const QString &line : gameSummary(m_game, network))
        logLine(line);
    emit boardChanged(Side::Own);
    emit boardChanged(Side::Opponent);

    const BattleFigures figures{m.playerTime, m.opponentTime, m.gameScore};
    const int i = findOrCreatePlayer(m_game.scores(), player, !m.gameAborted, figures, m_random,
                                     oleDateFromDateTime(m_clock.now()));
    PlayerRecord &record = m_game.scores().players[i - 1];
    if (ending == Ending::Lost)
        ++record.losses;
    else
        ++record.wins;
    emit resultCounted();
    m.endRemark = ending == Ending::Lost ? lossRemark() : winRemark();
    m_statisticsOpen = true;
    emit statisticsDue();
}

void Match::statisticsClosed()
{
    if (!std::exchange(m_statisticsOpen, false))
        return;
    m_game.m_match.endRemark.clear();
    emit over();
}

QString Match::lossRemark()
{
    const int pick = m_random.randInt(10) + 1;
    if (m_opponent->isPeer())
        return peerLossRemark(m_game.settings(), m_game.m_match.opponentName);
    return computerLossRemark(m_game.settings(), pick, m_game.settings().playerName);
}

QString Match::winRemark()
{
    const int pick = m_random.randInt(10) + 1;
    if (m_opponent->isPeer())
        return peerWinRemark(m_game.settings(), m_game.m_match.opponentName);
    return computerWinRemark(m_game.settings(), pick, m_game.settings().playerName);
}

bool Match::computerShot()
{
    MatchState &m = m_game.m_match;
    int x = 0, y = 0;
    ComputerPlayer computer(m_game.boards().ownBoard, m.rejectedCells, m_game.boards().areaSize,
                            m_random);
    computer.chooseTarget(x, y);
    if (!computer.mayShootAt(x, y)) {
        m.rejectedCells.at(x, y) = CellMiss;
        return false;
    }
    return opponentFires(x, y, //: Before a shot of the computer in the log: "computer: B4 wrong".
                         texts().translate("Match", "computer: "));
}

bool Match::peerShot(int col, int row)
{
    const MatchState &m = m_game.m_match;
    const int n = m_game.boards().areaSize;
    if (m.playerTurn || col < 0 || col >= n || row < 0 || row >= n)
        return false;
    if (!m_opponent->isPeer())
        return computerShot();
    const int x = col + 1;
    const int y = row + 1;
    const auto code = m_game.boards().ownBoard.at(x, y);
    if (code != CellWater && code != CellIntact)
        return false;
    return opponentFires(x, y, m.opponentName + QStringLiteral(": "));
}

bool Match::opponentFires(int x, int y, const QString &shooter)
{
    MatchState &m = m_game.m_match;
    const ShotOutcome outcome = fireAt(m_game.boards().ownBoard, x, y, m_game.boards().areaSize);
    const QString cue = shotCue(outcome, m_random);
    if (outcome == ShotOutcome::Miss) {
        m.playerTurn = true;
        emit turnChanged(true);
    }
    const QString line = shotLine(m_game.settings(), shooter, x, y, outcome);
    emit logWindowLine(line);
    logLine(line);
    emit boardChanged(Side::Own);
    m.rejectedCells.fill(CellWater);
    m_sounds.playSound(cue);
    return outcome != ShotOutcome::Miss;
}

void Match::playerShot(int col, int row)
{
    MatchState &m = m_game.m_match;
    BoardState &b = m_game.boards();
    if (!m.gameInProgress || !m.playerTurn || m.paused) {
        emit shotRefused();
        return;
    }
    const int n = b.areaSize;
    if (col < 0 || col > n - 1 || row < 0 || row > n - 1)
        return;
    const int x = col + 1;
    const int y = row + 1;
    Board &board = b.opponentBoard;
    const auto code = board.at(x, y);
    if (code == CellShip || code == CellMiss || code == CellHit) {
        emit shotRefused();
        return;
    }
    m_opponent->playerFired(col, row);

    const ShotOutcome outcome = fireAt(board, x, y, n);
    int points = 0;
    switch (outcome) {
    case ShotOutcome::Miss:
        points = missPoints(m.playerTime, n);
        break;
    case ShotOutcome::Hit:
        points = hitPoints(m.playerMisses, n);
        break;
    case ShotOutcome::Destroyed:
        points = destroyPoints(m.playerMisses, n);
        break;
    }
    m_sounds.playSound(shotCue(outcome, m_random));
    if (outcome == ShotOutcome::Miss) {
        m.playerTurn = false;
        emit turnChanged(false);
        ++m.playerMisses;
    }
    const QString line = shotLine(
        m_game.settings(), m_game.settings().playerName + QStringLiteral(": "), x, y, outcome);
    emit logWindowLine(line);
    logLine(line);
    m.gameScore = std::max(0, m.gameScore + points);
    emit boardChanged(Side::Opponent);
}

void Match::pauseButton(bool down)
{
    MatchState &m = m_game.m_match;
    if (m_opponent->isPeer() || !m.gameInProgress)
        return;
    if (down) {
        m.paused = true;
        emit pausedChanged(true);
        const QString line = texts().translate("Match", "pause");
        emit logWindowLine(timeText(m_clock.now()) + u' ' + line);
        logLine(line, true);
    } else {
        m.paused = false;
        clearScramble();
        emit pausedChanged(false);
        //: The log's line of the moment a pause ends.
        const QString line = texts().translate("Match", "continue");
        emit logWindowLine(timeText(m_clock.now()) + u' ' + line);
        logLine(line, true);
        emit boardChanged(Side::Own);
        emit boardChanged(Side::Opponent);
    }
}

void Match::clearScramble()
{
    m_game.m_match.ownScramble.clear();
    m_game.m_match.opponentScramble.clear();
}

void Match::abort()
{
    if (!m_game.m_match.gameInProgress || m_abortAsked)
        return;
    m_abortAsked = true;
    m_dialogs.ask(MatchDialogs::Box::ConfirmAbort, [this](bool confirmed) {
        m_abortAsked = false;
        if (confirmed)
            abortConfirmed();
    });
}

void Match::abortConfirmed()
{
    MatchState &m = m_game.m_match;
    // The match went on while the question was open: it may have ended.
    if (!m.gameInProgress)
        return;
    m_network.sendGameAborted();
    revealShips(m_game.boards().ownBoard, m_game.boards().areaSize);
    m.paused = false;
    clearScramble();
    m.gameAborted = true;
    logLine(texts().translate("Match", "The game is aborted by user."));
}

} // namespace tw
