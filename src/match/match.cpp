#include "match.h"

#include "records/records.h"
#include "util/duration.h"
#include "util/localtime.h"

#include <QLocale>
#include <cmath>

namespace tw {

namespace {

constexpr int ScrambleImages = 15; // the column-number and row-letter lists

// The integer nearest to v, a half going to the even neighbour.
int nearest(double v)
{
    return static_cast<int>(std::nearbyint(v));
}

// p / d to the nearest integer, a half going to the even neighbour, exactly.
// Precondition: d > 0.
int nearestRatio(long long p, long long d)
{
    long long q = p / d;
    long long r = p % d;
    if (r < 0) {
        --q;
        r += d;
    }
    if (2 * r > d || (2 * r == d && q % 2 != 0))
        ++q;
    return static_cast<int>(q);
}

struct RemarkRow
{
    const char *englishPrefix;
    const char *englishSuffix;
    const char *russianPrefix;
    const char *russianSuffix;
};

const RemarkRow LossRemarks[10] = {
    {"It's not your day, ", ".", "Не везет вам нынче, ", "."},
    {"", ", you should sleep for a some time.", "",
     ", вам следует поспать. Это ж надо - компьютеру в морской бой продуть."},
    {"What's the hell, ", "? How you did this?", "Что такое, ", "? Как так можно?"},
    {"Aaaaargh, ", "...", "Зачем вы, ", ", морской бой любите..."},
    {"Did you see the \"Matrix\" movie, ", "? Don't you remember?",
     "Вы смотрели фильм \"Матрица\", ", "? Ничего не напоминает?"},
    {"The Terminator waiting for you, ", ".", "Однако, ",
     ", фантазии насчет Терминаторов не так уж и безобидны."},
    {"You shouldn't try to save all people on Earth, ", ".", "А если бы, ",
     ", от этой игры зависела судьба человечества?"},
    {"The author (me) tells you, ", ": I loose my game so much...", "Я (автор) признаюсь вам, ",
     ": я проигрывал своей программе несчетное количество раз. Что делается..."},
    {"I created most complicated AI, ", "!", "Однако, ", ", и алгоритм я создал!"},
    {"Sorry, ", ", but...", "Искренне сожалею, ",
     ", однако ничем помочь... Искусственный интеллект на высоте!"},
};

const RemarkRow WinRemarks[10] = {
    {"Yes, ", ", you won.", "Да, ", ", вы выиграли. Что ж такого?"},
    {"Better you play with Vostrikel, ", ".", "", ",  да вам с Вострикелем играть."},
    {"Don't celebrate much, ", ". I'll survive.", "Не обольщайтесь, ", ". Я еще свое возьму."},
    {"The Tarnwake isn't a hard game, ", ". Try to play Quake.", "Подумаешь, ",
     ", морской бой... Вы в Quake сыграйте - тогда посмотрим..."},
    {"Change area size to a 15, ", ", and let's play!", "Давайте сыграем, ",
     ", на поле размерами побольше?"},
    {"Isn't my music bores you, ", "?", "Неужели, ",
     ", моя надоедливая музыка вас с толку не сбивает?"},
    {"I can format your HDD, ", "!!!", "Сейчас свяжусь через ваш компьютер, ",
     ", автору пожалуюсь, а потом диск отформатирую!"},
    {"Don't hurt me, ", "...", "Не злите меня, ", "..."},
    {"It was a small bug, ", ", let's play again!", "Да у меня просто память заело, ",
     ", давайте еще сыграем, так нечестно!"},
    {"Your computer needs an upgrade, ", ".", "Вашему компьютеру, ",
     ", нужен upgrade. Не хватает мощности процессора."},
};

QString remarkFor(const RemarkRow &row, const QString &name)
{
    return localized(row.englishPrefix, row.russianPrefix) + name +
           localized(row.englishSuffix, row.russianSuffix);
}

} // namespace

Match::Match(GameState &game, MatchHost &host, Random &random)
    : m_game(game), m_host(host), m_random(random)
{}

QString Match::timeText()
{
    return longTimeText(m_host.now().time());
}

QString Match::dateTimeText()
{
    const QDateTime now = m_host.now();
    return shortDateText(now.date()) + u' ' + longTimeText(now.time());
}

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
    m.aimCol = -1;
    m.aimRow = -1;
    m_host.enterMatchLayout();

    const bool network = m_host.peerConnected();
    const QString &player = m_game.settings.playerName;
    m_host.logLine(QString());
    m_host.logLine(localized("--------------------> New game", "--------------------> Новая игра"));
    m_host.logLine(localized("Player: ", "Игрок: ") + player);
    m_host.logLine(network ? localized("Opponent: ", "Противник: ") + m.opponentName
                           : localized("Opponent: computer", "Противник: компьютер"));
    m_host.logLine(localized("start", "старт"), true, true);
    m_host.memoLine(dateTimeText() + localized(" start", " старт"));

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
            m_host.memoLine(timeText() + localized(" the winner is ", " победа ") + m.opponentName);
            m_host.logLine(localized("the winner is ", "победа ") + m.opponentName, true);
        } else {
            m_host.memoLine(timeText() + localized(" computer wins", " победа компьютера"));
            m_host.logLine(localized("computer wins", "победа компьютера"), true);
        }
    } else {
        m_host.playMusic(QStringLiteral("win"));
        m_host.memoLine(timeText() + localized(" the winner is ", " победа ") + player);
        m_host.logLine(localized("the winner is ", "победа ") + player, true);
    }
    revealShips(b.ownBoard, b.areaSize);
    revealShips(b.opponentBoard, b.areaSize);
    logGameSummary();
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
    const int k = m_random.randInt(10) + 1;
    QString remark = remarkFor(LossRemarks[k - 1], m_game.settings.playerName);
    if (m_host.peerConnected())
        remark = localized("The ", "К сожалению, ") + m_game.match.opponentName +
                 localized(" wins this game. You should practice with me. :)",
                           " вас надул. Лучше бы вы поиграли со мною. :)");
    return remark;
}

QString Match::winRemark()
{
    const int k = m_random.randInt(10) + 1;
    QString remark = remarkFor(WinRemarks[k - 1], m_game.settings.playerName);
    if (m_host.peerConnected()) {
        const QString &name = m_game.match.opponentName;
        remark = m_game.settings.englishUi
                     ? name + QStringLiteral(" defeated by you! Try to play with me - I'm much "
                                             "harder. :-)")
                     : QStringLiteral("Вы выиграли эту партию у ") + name +
                           QStringLiteral(". Вот попробуйте со мной, искусственным интеллектом "
                                          "сыграть - тогда посмотрим...");
    }
    return remark;
}

void Match::logGameSummary()
{
    const MatchState &m = m_game.match;
    m_host.logLine(localized("Game time: ", "Общее время игры: ") +
                   formatDuration(static_cast<quint32>(m.playerTime + m.opponentTime)));
    m_host.logLine(localized("Ships placing of ", "Расстановка кораблей ") +
                   m_game.settings.playerName + QStringLiteral(": "));
    logBoardRows(m_game.boards.ownBoard);
    if (m_host.peerConnected())
        m_host.logLine(localized("Ships placing of ", "Расстановка кораблей ") + m.opponentName +
                       QStringLiteral(": "));
    else
        m_host.logLine(
            localized("Ships placing of computer: ", "Расстановка кораблей компьютера: "));
    logBoardRows(m_game.boards.opponentBoard);
}

void Match::logBoardRows(const Board &board)
{
    const int n = m_game.boards.areaSize;
    for (int y = 1; y <= n; ++y) {
        QString row(QStringLiteral(" "));
        for (int x = 1; x <= n; ++x) {
            const auto code = board.at(x, y);
            row += code == CellShip || code == CellHit ? u'O' : u'-';
        }
        m_host.logLine(row);
    }
}

QString Match::outcomeWord(ShotOutcome outcome) const
{
    switch (outcome) {
    case ShotOutcome::Miss:
        return localized("wrong", "мимо");
    case ShotOutcome::Hit:
        return localized("bingo", "попадание");
    case ShotOutcome::Destroyed:
        return localized("ship destroyed", "корабль уничтожен");
    }
    return {};
}

bool Match::clearOfWrecks(int x, int y) const
{
    int x1 = x - 1, y1 = y - 1, x2 = x + 1, y2 = y + 1;
    clampToArea(x1, y1, x2, y2, m_game.boards.areaSize);
    for (int i = x1; i <= x2; ++i)
        for (int j = y1; j <= y2; ++j)
            if (m_game.boards.ownBoard.at(i, j) == CellShip)
                return false;
    return true;
}

bool Match::pickWoundedCell(int &x, int &y)
{
    const int n = m_game.boards.areaSize;
    bool found = false;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            if (m_game.boards.ownBoard.at(i, j) == CellHit) {
                x = i;
                y = j;
                found = true;
                if (m_random.randInt(2) == 1)
                    return true;
            }
    return found;
}

bool Match::uniqueNeighbourTarget(int &x, int &y) const
{
    const int n = m_game.boards.areaSize;
    const Board &board = m_game.boards.ownBoard;
    int lastX = x, lastY = y;
    int count = 0;
    // Only the candidate just counted is excluded, so a cell reached again
    // from another hit cell counts again.
    auto look = [&](int cx, int cy) {
        const auto code = board.at(cx, cy);
        if (code == CellMiss || code == CellHit || (cx == lastX && cy == lastY) ||
            !clearOfWrecks(cx, cy))
            return;
        ++count;
        lastX = cx;
        lastY = cy;
    };
    for (int j = 1; j <= n; ++j)
        for (int i = 1; i <= n; ++i) {
            if (board.at(i, j) != CellHit)
                continue;
            for (int l = std::max(1, i - 1); l <= std::min(n, i + 1); ++l)
                look(l, j);
            for (int m = std::max(1, j - 1); m <= std::min(n, j + 1); ++m)
                look(i, m);
        }
    if (count != 1)
        return false;
    x = lastX;
    y = lastY;
    return true;
}

bool Match::uniqueOpenCell(int &x, int &y) const
{
    const int n = m_game.boards.areaSize;
    int count = 0;
    for (int j = 1; j <= n; ++j)
        for (int i = 1; i <= n; ++i) {
            const auto code = m_game.boards.ownBoard.at(i, j);
            if ((code == CellWater || code == CellIntact) && clearOfWrecks(i, j)) {
                ++count;
                x = i;
                y = j;
            }
        }
    return count == 1;
}

void Match::chooseComputerTarget(int &x, int &y)
{
    const int n = m_game.boards.areaSize;
    if (pickWoundedCell(x, y)) {
        if (uniqueNeighbourTarget(x, y))
            return;
        const int d = m_random.randInt(3) - 1;
        if (m_random.randInt(2) == 0)
            y += d;
        else
            x += d;
        x = std::clamp(x, 1, n);
        y = std::clamp(y, 1, n);
        return;
    }
    if (uniqueOpenCell(x, y))
        return;
    const Board &rejected = m_game.match.rejectedCells;
    x = m_random.randInt(n) + 1;
    y = m_random.randInt(n) + 1;
    if (rejected.at(x, y) == CellMiss)
        for (int k = 1; k <= n; ++k)
            if (rejected.at(k, y) == CellWater)
                x = k;
    if (rejected.at(x, y) == CellMiss)
        for (int k = 1; k <= n; ++k)
            if (rejected.at(x, k) == CellWater)
                y = k;
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
        chooseComputerTarget(x, y);
        const auto code = board.at(x, y);
        if (code == CellShip || code == CellMiss || code == CellHit || !clearOfWrecks(x, y)) {
            m.rejectedCells.at(x, y) = CellMiss;
            return false;
        }
    }

    ShotOutcome outcome = ShotOutcome::Miss;
    QString cue;
    if (board.at(x, y) == CellIntact) {
        board.at(x, y) = CellShip;
        outcome = ShotOutcome::Hit;
        cue = m_host.explosionCue();
    } else {
        board.at(x, y) = CellMiss;
        cue = m_host.missCue();
    }
    if (resolveShipAt(board, x, y, n)) {
        outcome = ShotOutcome::Destroyed;
        cue = m_host.destroyCue();
    }
    if (board.at(x, y) != CellShip && board.at(x, y) != CellHit) {
        m.playerTurn = true;
        m_host.putOutTurnLamp(false);
    }
    const QString shooter =
        network ? m.opponentName + QStringLiteral(": ") : localized("computer: ", "компьютер: ");
    const QString line =
        shooter + QString::fromStdString(cellName(x, y)) + u' ' + outcomeWord(outcome);
    m_host.memoLine(line);
    m_host.logLine(line);
    m_host.paintOwnBoard();
    m.rejectedCells.fill(CellWater);
    m_host.playSound(cue);
    return outcome != ShotOutcome::Miss;
}

int Match::hitPoints(int misses, int areaSize)
{
    const double k = 2.0 * areaSize / 15.0;
    return std::max(1, nearest((100 - misses) * k));
}

int Match::destroyPoints(int misses, int areaSize)
{
    const double k = 2.0 * areaSize / 15.0;
    return std::max(1, nearest((250 - misses) * k));
}

int Match::missPoints(int playerTime, int areaSize)
{
    // -(playerTime div 2) / k with k = 2 * areaSize / 15. Its exact halves
    // must go to the even side; dividing by an inexact k in floating point
    // can push one across (area 11, time 154: -52.5 came out as -53).
    return nearestRatio(-15LL * (playerTime / 2), 2LL * areaSize);
}

void Match::playerShot()
{
    MatchState &m = m_game.match;
    BoardState &b = m_game.boards;
    if (!m.gameInProgress || !m.playerTurn || m.paused) {
        m_host.beep();
        return;
    }
    const int n = b.areaSize;
    if (b.hoverCol < 0 || b.hoverCol > n - 1 || b.hoverRow < 0 || b.hoverRow > n - 1)
        return;
    const int x = b.hoverCol + 1;
    const int y = b.hoverRow + 1;
    Board &board = b.opponentBoard;
    const auto code = board.at(x, y);
    if (code == CellShip || code == CellMiss || code == CellHit) {
        m_host.beep();
        return;
    }
    if (m_host.peerConnected())
        m_host.sendShot(b.hoverCol, b.hoverRow);

    ShotOutcome outcome = ShotOutcome::Miss;
    QString cue;
    int points = 0;
    if (code == CellIntact) {
        board.at(x, y) = CellShip;
        outcome = ShotOutcome::Hit;
        cue = m_host.explosionCue();
        points = hitPoints(m.playerMisses, n);
    } else {
        board.at(x, y) = CellMiss;
        cue = m_host.missCue();
        points = missPoints(m.playerTime, n);
    }
    if (resolveShipAt(board, x, y, n)) {
        outcome = ShotOutcome::Destroyed;
        cue = m_host.destroyCue();
        points = destroyPoints(m.playerMisses, n);
    }
    m_host.playSound(cue);
    if (board.at(x, y) != CellShip && board.at(x, y) != CellHit) {
        m.playerTurn = false;
        m_host.putOutTurnLamp(true);
        ++m.playerMisses;
    }
    const QString line = m_game.settings.playerName + QStringLiteral(": ") +
                         QString::fromStdString(cellName(x, y)) + u' ' + outcomeWord(outcome);
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
        m_host.memoLine(timeText() + localized(" pause", " пауза"));
        m_host.logLine(localized("pause", "пауза"), true);
    } else {
        m.paused = false;
        m_host.setTurnInterval(1000);
        m_host.memoLine(timeText() + localized(" continue", " продолжение"));
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
