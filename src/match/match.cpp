#include "match.h"

#include "matchlog.h"
#include "records/records.h"
#include "remarks.h"
#include "scoring.h"
#include "targeting.h"
#include "util/duration.h"

#include <algorithm>

namespace tw {

namespace {

constexpr int ScrambleImages = 15; // the column-number and row-letter lists

} // namespace

Match::Match(GameState &game, MatchHost &host, Random &random)
    : m_game(game), m_host(host), m_random(random)
{}

bool Match::begin()
{
    MatchState &m = m_game.match;
    BoardState &b = m_game.boards;
    if (m.gameInProgress)
        return false;
    if (!fleetComplete(b.placedFleet)) {
        m_host.ask(MatchHost::Box::FleetIncomplete);
        return false;
    }
    if (m_game.settings.playerName.isEmpty()) {
        m_host.ask(MatchHost::Box::NoPlayerName);
        return false;
    }
    if (!m_host.peerConnected())
        m_host.generateOpponentFleet(b.opponentBoard);
    m.rejectedCells.fill(CellWater);
    if (!m_host.invitePeer())
        return false;

    m.gameInProgress = true;
    m_host.enterMatchLayout();

    const bool network = m_host.peerConnected();
    const QString &player = m_game.settings.playerName;
    m_host.logLine(QString());
    m_host.logLine(localized("--------------------> New game", "--------------------> Новая игра"));
    m_host.logLine(localized("Player: ", "Игрок: ") + player);
    m_host.logLine(network ? localized("Opponent: ", "Противник: ") + m.opponentName
                           : localized("Opponent: computer", "Противник: компьютер"));
    m_host.logLine(localized("start", "старт"), true, true);
    m_host.memoLine(dateTimeText(m_host.now()) + localized(" start", " старт"));

    armBoard(b.ownBoard, b.areaSize);
    armBoard(b.opponentBoard, b.areaSize);
    if (!network)
        m_host.setOpponentBoardCaption(localized(" Computer ", " Компьютер "));
    m_host.setOwnBoardCaption(u' ' + player + u' ');
    m_game.agreement.phase = AgreementPhase::None;
    m_host.paintOwnBoard();
    m_host.paintOpponentBoard();
    if (!network)
        m.playerTurn = m_random.randInt(2) == 0;
    return true;
}

void Match::finish()
{
    BoardState &b = m_game.boards;
    m_game.match.gameInProgress = false;
    clearBoard(b.ownBoard, b.placedFleet);
    clearBoard(b.opponentBoard);
    m_host.paintOwnBoard();
    m_host.paintOpponentBoard();
    m_host.leaveMatchLayout();
}

void Match::tick()
{
    MatchState &m = m_game.match;
    const int n = m_game.boards.areaSize;
    if (!m.gameInProgress) {
        m_host.showConnectionState();
        return;
    }
    if (m.paused) {
        for (bool own : {true, false}) {
            const int x = m_random.randInt(n) + 1;
            const int y = m_random.randInt(n) + 1;
            const int picture = m_random.randInt(ScrambleImages);
            m_host.scramble(own, m_random.randInt(2) == 0, picture, x, y);
        }
        return;
    }
    if (fleetDestroyed(m_game.boards.ownBoard, n)) {
        end(Ending::Lost);
        return;
    }
    if (fleetDestroyed(m_game.boards.opponentBoard, n)) {
        end(Ending::Won);
        return;
    }
    if (m.playerTurn) {
        ++m.playerTime;
    } else {
        ++m.opponentTime;
        if (!m_host.peerConnected()) {
            const bool hit = opponentShot(1, 2);
            // A rejected target gets one more try within the same tick.
            if (!m_host.peerConnected() && !m.playerTurn && !hit)
                opponentShot(1, 2);
        }
    }
    m_host.showTurnTimes(formatDuration(static_cast<quint32>(m.playerTime)),
                         formatDuration(static_cast<quint32>(m.opponentTime)));
}

void Match::end(Ending ending)
{
    MatchState &m = m_game.match;
    BoardState &b = m_game.boards;
    const QString &player = m_game.settings.playerName;
    const bool network = m_host.peerConnected();
    m.gameOver = true;
    m.gameInProgress = false;

    if (ending == Ending::Lost) {
        m_host.playSound(QStringLiteral("LAUGH"));
        m_host.playMusic(QStringLiteral("loose"));
        if (network) {
            m_host.memoLine(timeText(m_host.now()) + localized(" the winner is ", " победа ") +
                            m.opponentName);
            m_host.logLine(localized("the winner is ", "победа ") + m.opponentName, true);
        } else {
            m_host.memoLine(timeText(m_host.now()) +
                            localized(" computer wins", " победа компьютера"));
            m_host.logLine(localized("computer wins", "победа компьютера"), true);
        }
    } else {
        m_host.playMusic(QStringLiteral("win"));
        m_host.memoLine(timeText(m_host.now()) + localized(" the winner is ", " победа ") + player);
        m_host.logLine(localized("the winner is ", "победа ") + player, true);
    }
    revealShips(b.ownBoard, b.areaSize);
    revealShips(b.opponentBoard, b.areaSize);
    for (const QString &line : gameSummary(m_game, network))
        m_host.logLine(line);
    m_host.paintOwnBoard();
    m_host.paintOpponentBoard();

    const BattleFigures figures{m.playerTime, m.opponentTime, m.gameScore};
    const int i = findOrCreatePlayer(m_game.scores, player, !m.gameAborted, figures, m_random,
                                     oleDateFromDateTime(m_host.now()));
    PlayerRecord &record = m_game.scores.players[i - 1];
    if (ending == Ending::Lost)
        ++record.losses;
    else
        ++record.wins;
    m_host.saveRecords();
    m.endRemark = ending == Ending::Lost ? lossRemark() : winRemark();
    m_host.showStatistics();
    m.endRemark.clear();
}

QString Match::lossRemark()
{
    const int pick = m_random.randInt(10) + 1;
    if (m_host.peerConnected())
        return peerLossRemark(m_game.match.opponentName);
    return computerLossRemark(pick, m_game.settings.playerName);
}

QString Match::winRemark()
{
    const int pick = m_random.randInt(10) + 1;
    if (m_host.peerConnected())
        return peerWinRemark(m_game.match.opponentName, m_game.settings.englishUi);
    return computerWinRemark(pick, m_game.settings.playerName);
}

QString Match::shotCue(ShotOutcome outcome)
{
    // The host draws each cue from the random source: a destroyed ship draws
    // the explosion first, then the destruction, as a hit followed by the
    // sinking always has.
    QString cue = outcome == ShotOutcome::Miss ? m_host.missCue() : m_host.explosionCue();
    if (outcome == ShotOutcome::Destroyed)
        cue = m_host.destroyCue();
    return cue;
}

bool Match::opponentShot(int peerCol, int peerRow)
{
    MatchState &m = m_game.match;
    Board &board = m_game.boards.ownBoard;
    const int n = m_game.boards.areaSize;
    const bool network = m_host.peerConnected();
    int x = 0, y = 0;
    if (network) {
        // A peer's cell is refused outside the area, and a cell shot before
        // is never shot again: that could turn a ship cell into water.
        if (peerCol < 0 || peerCol >= n || peerRow < 0 || peerRow >= n)
            return false;
        x = peerCol + 1;
        y = peerRow + 1;
        const auto code = board.at(x, y);
        if (code != CellWater && code != CellIntact)
            return false;
    } else {
        ComputerPlayer computer(board, m.rejectedCells, n, m_random);
        computer.chooseTarget(x, y);
        if (!computer.mayShootAt(x, y)) {
            m.rejectedCells.at(x, y) = CellMiss;
            return false;
        }
    }

    const ShotOutcome outcome = fireAt(board, x, y, n);
    const QString cue = shotCue(outcome);
    if (outcome == ShotOutcome::Miss) {
        m.playerTurn = true;
        m_host.putOutTurnLamp(false);
    }
    const QString shooter =
        network ? m.opponentName + QStringLiteral(": ") : localized("computer: ", "компьютер: ");
    const QString line = shotLine(shooter, x, y, outcome);
    m_host.memoLine(line);
    m_host.logLine(line);
    m_host.paintOwnBoard();
    m.rejectedCells.fill(CellWater);
    m_host.playSound(cue);
    return outcome != ShotOutcome::Miss;
}

void Match::playerShot(int col, int row)
{
    MatchState &m = m_game.match;
    BoardState &b = m_game.boards;
    if (!m.gameInProgress || !m.playerTurn || m.paused) {
        m_host.beep();
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
        m_host.beep();
        return;
    }
    if (m_host.peerConnected())
        m_host.sendShot(col, row);

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
    m_host.playSound(shotCue(outcome));
    if (outcome == ShotOutcome::Miss) {
        m.playerTurn = false;
        m_host.putOutTurnLamp(true);
        ++m.playerMisses;
    }
    const QString line = shotLine(m_game.settings.playerName + QStringLiteral(": "), x, y, outcome);
    m_host.memoLine(line);
    m_host.logLine(line);
    m.gameScore = std::max(0, m.gameScore + points);
    m_host.paintOpponentBoard();
}

void Match::pauseButton(bool down)
{
    MatchState &m = m_game.match;
    if (m_host.peerConnected() || !m.gameInProgress)
        return;
    if (down) {
        m.paused = true;
        m_host.setTurnInterval(100);
        m_host.memoLine(timeText(m_host.now()) + localized(" pause", " пауза"));
        m_host.logLine(localized("pause", "пауза"), true);
    } else {
        m.paused = false;
        m_host.setTurnInterval(1000);
        m_host.memoLine(timeText(m_host.now()) + localized(" continue", " продолжение"));
        m_host.logLine(localized("continue", "продолжение"), true);
        m_host.paintOwnBoard();
        m_host.paintOpponentBoard();
    }
}

void Match::abort()
{
    MatchState &m = m_game.match;
    if (!m.gameInProgress || !m_host.ask(MatchHost::Box::ConfirmAbort))
        return;
    // The question ran a message loop: the match may have ended meanwhile.
    if (!m.gameInProgress)
        return;
    m_host.sendGameAborted();
    revealShips(m_game.boards.ownBoard, m_game.boards.areaSize);
    m.paused = false;
    m.gameAborted = true;
    m_host.logLine(localized("The game is aborted by user.", "Игра прервана пользователем"));
}

} // namespace tw
