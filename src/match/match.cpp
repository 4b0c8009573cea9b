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
int Nearest(double v)
{
    return static_cast<int>(std::nearbyint(v));
}

// p / d to the nearest integer, a half going to the even neighbour, exactly.
// Precondition: d > 0.
int NearestRatio(long long p, long long d)
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

QString Remark(const RemarkRow &row, const QString &name)
{
    return Lang(row.englishPrefix, row.russianPrefix) + name +
           Lang(row.englishSuffix, row.russianSuffix);
}

} // namespace

Match::Match(GameState &game, MatchHost &host, Random &random)
    : m_game(game), m_host(host), m_random(random)
{}

QString Match::TimeText()
{
    return LongTimeText(m_host.Now().time());
}

QString Match::DateTimeText()
{
    const QDateTime now = m_host.Now();
    return ShortDateText(now.date()) + u' ' + LongTimeText(now.time());
}

bool Match::Begin()
{
    MatchState &m = m_game.match;
    BoardState &b = m_game.boards;
    if (m.GameInProgress)
        return false;
    if (!FleetComplete(b.PlacedFleet)) {
        m_host.Ask(MatchHost::Box::FleetIncomplete);
        return false;
    }
    if (m_game.settings.PlayerName.isEmpty()) {
        m_host.Ask(MatchHost::Box::NoPlayerName);
        return false;
    }
    if (!m_host.PeerConnected())
        m_host.GenerateOpponentFleet(b.OpponentBoard);
    m.RejectedCells.fill(CellWater);
    if (!m_host.InvitePeer())
        return false;

    m.GameInProgress = true;
    m.AimCol = -1;
    m.AimRow = -1;
    m_host.EnterMatchLayout();

    const bool network = m_host.PeerConnected();
    const QString &player = m_game.settings.PlayerName;
    m_host.LogLine(QString());
    m_host.LogLine(Lang("--------------------> New game", "--------------------> Новая игра"));
    m_host.LogLine(Lang("Player: ", "Игрок: ") + player);
    m_host.LogLine(network ? Lang("Opponent: ", "Противник: ") + m.OpponentName
                           : Lang("Opponent: computer", "Противник: компьютер"));
    m_host.LogLine(Lang("start", "старт"), true, true);
    m_host.MemoLine(DateTimeText() + Lang(" start", " старт"));

    ArmBoard(b.OwnBoard, b.AreaSize);
    ArmBoard(b.OpponentBoard, b.AreaSize);
    if (!network)
        m_host.SetOpponentBoardCaption(Lang(" Computer ", " Компьютер "));
    m_host.SetOwnBoardCaption(u' ' + player + u' ');
    m_game.agreement.AwaitingConfirmation = false;
    m_host.PaintOwnBoard();
    m_host.PaintOpponentBoard();
    if (!network)
        m.PlayerTurn = m_random.RandInt(2) == 0;
    return true;
}

void Match::Finish()
{
    BoardState &b = m_game.boards;
    m_game.match.GameInProgress = false;
    ClearBoard(b.OwnBoard, b.PlacedFleet);
    ClearBoard(b.OpponentBoard);
    m_host.PaintOwnBoard();
    m_host.PaintOpponentBoard();
    m_host.LeaveMatchLayout();
}

void Match::Tick()
{
    MatchState &m = m_game.match;
    const int n = m_game.boards.AreaSize;
    if (!m.GameInProgress) {
        m_host.ShowConnectionState();
        return;
    }
    if (m.Paused) {
        for (bool own : {true, false}) {
            const int x = m_random.RandInt(n) + 1;
            const int y = m_random.RandInt(n) + 1;
            const int picture = m_random.RandInt(ScrambleImages);
            m_host.Scramble(own, m_random.RandInt(2) == 0, picture, x, y);
        }
        return;
    }
    if (FleetDestroyed(m_game.boards.OwnBoard, n)) {
        End(Ending::Lost);
        return;
    }
    if (FleetDestroyed(m_game.boards.OpponentBoard, n)) {
        End(Ending::Won);
        return;
    }
    if (m.PlayerTurn) {
        ++m.PlayerTime;
    } else {
        ++m.OpponentTime;
        if (!m_host.PeerConnected()) {
            const bool hit = OpponentShot(1, 2);
            // A rejected target gets one more try within the same tick.
            if (!m_host.PeerConnected() && !m.PlayerTurn && !hit)
                OpponentShot(1, 2);
        }
    }
    m_host.ShowTurnTimes(FormatDuration(static_cast<quint32>(m.PlayerTime)),
                         FormatDuration(static_cast<quint32>(m.OpponentTime)));
}

void Match::End(Ending ending)
{
    MatchState &m = m_game.match;
    BoardState &b = m_game.boards;
    const QString &player = m_game.settings.PlayerName;
    const bool network = m_host.PeerConnected();
    m.GameOver = true;
    m.GameInProgress = false;

    if (ending == Ending::Lost) {
        m_host.PlaySound(QStringLiteral("LAUGH"));
        m_host.PlayMusic(QStringLiteral("loose"));
        if (network) {
            m_host.MemoLine(TimeText() + Lang(" the winner is ", " победа ") + m.OpponentName);
            m_host.LogLine(Lang("the winner is ", "победа ") + m.OpponentName, true);
        } else {
            m_host.MemoLine(TimeText() + Lang(" computer wins", " победа компьютера"));
            m_host.LogLine(Lang("computer wins", "победа компьютера"), true);
        }
    } else {
        m_host.PlayMusic(QStringLiteral("win"));
        m_host.MemoLine(TimeText() + Lang(" the winner is ", " победа ") + player);
        m_host.LogLine(Lang("the winner is ", "победа ") + player, true);
    }
    RevealShips(b.OwnBoard, b.AreaSize);
    RevealShips(b.OpponentBoard, b.AreaSize);
    LogGameSummary();
    m_host.PaintOwnBoard();
    m_host.PaintOpponentBoard();

    const BattleFigures figures{m.PlayerTime, m.OpponentTime, m.GameScore};
    const int i = FindOrCreatePlayer(m_game.ScoreData, player, !m.GameAborted, figures, m_random,
                                     OleDateFromDateTime(m_host.Now()));
    TPlayerRecord &record = m_game.ScoreData.Players[i - 1];
    if (ending == Ending::Lost)
        ++record.Losses;
    else
        ++record.Wins;
    m_host.saveRecords();
    m.EndRemark = ending == Ending::Lost ? LossRemark() : WinRemark();
    m_host.ShowStatistics();
    m.EndRemark.clear();
}

QString Match::LossRemark()
{
    const int k = m_random.RandInt(10) + 1;
    QString remark = Remark(LossRemarks[k - 1], m_game.settings.PlayerName);
    if (m_host.PeerConnected())
        remark = Lang("The ", "К сожалению, ") + m_game.match.OpponentName +
                 Lang(" wins this game. You should practice with me. :)",
                      " вас надул. Лучше бы вы поиграли со мною. :)");
    return remark;
}

QString Match::WinRemark()
{
    const int k = m_random.RandInt(10) + 1;
    QString remark = Remark(WinRemarks[k - 1], m_game.settings.PlayerName);
    if (m_host.PeerConnected()) {
        const QString &name = m_game.match.OpponentName;
        remark = m_game.settings.EnglishUI
                     ? name + QStringLiteral(" defeated by you! Try to play with me - I'm much "
                                             "harder. :-)")
                     : QStringLiteral("Вы выиграли эту партию у ") + name +
                           QStringLiteral(". Вот попробуйте со мной, искусственным интеллектом "
                                          "сыграть - тогда посмотрим...");
    }
    return remark;
}

void Match::LogGameSummary()
{
    const MatchState &m = m_game.match;
    m_host.LogLine(Lang("Game time: ", "Общее время игры: ") +
                   FormatDuration(static_cast<quint32>(m.PlayerTime + m.OpponentTime)));
    m_host.LogLine(Lang("Ships placing of ", "Расстановка кораблей ") + m_game.settings.PlayerName +
                   QStringLiteral(": "));
    LogBoardRows(m_game.boards.OwnBoard);
    if (m_host.PeerConnected())
        m_host.LogLine(Lang("Ships placing of ", "Расстановка кораблей ") + m.OpponentName +
                       QStringLiteral(": "));
    else
        m_host.LogLine(Lang("Ships placing of computer: ", "Расстановка кораблей компьютера: "));
    LogBoardRows(m_game.boards.OpponentBoard);
}

void Match::LogBoardRows(const TBoard &board)
{
    const int n = m_game.boards.AreaSize;
    for (int y = 1; y <= n; ++y) {
        QString row(QStringLiteral(" "));
        for (int x = 1; x <= n; ++x) {
            const auto code = board.at(x, y);
            row += code == CellShip || code == CellHit ? u'O' : u'-';
        }
        m_host.LogLine(row);
    }
}

QString Match::OutcomeWord(ShotOutcome outcome) const
{
    switch (outcome) {
    case ShotOutcome::Miss:
        return Lang("wrong", "мимо");
    case ShotOutcome::Hit:
        return Lang("bingo", "попадание");
    case ShotOutcome::Destroyed:
        return Lang("ship destroyed", "корабль уничтожен");
    }
    return {};
}

bool Match::ClearOfWrecks(int x, int y) const
{
    int x1 = x - 1, y1 = y - 1, x2 = x + 1, y2 = y + 1;
    ClampToArea(x1, y1, x2, y2, m_game.boards.AreaSize);
    for (int i = x1; i <= x2; ++i)
        for (int j = y1; j <= y2; ++j)
            if (m_game.boards.OwnBoard.at(i, j) == CellShip)
                return false;
    return true;
}

bool Match::PickWoundedCell(int &x, int &y)
{
    const int n = m_game.boards.AreaSize;
    bool found = false;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            if (m_game.boards.OwnBoard.at(i, j) == CellHit) {
                x = i;
                y = j;
                found = true;
                if (m_random.RandInt(2) == 1)
                    return true;
            }
    return found;
}

bool Match::UniqueNeighbourTarget(int &x, int &y) const
{
    const int n = m_game.boards.AreaSize;
    const TBoard &board = m_game.boards.OwnBoard;
    int lastX = x, lastY = y;
    int count = 0;
    // Only the candidate just counted is excluded, so a cell reached again
    // from another hit cell counts again.
    auto look = [&](int cx, int cy) {
        const auto code = board.at(cx, cy);
        if (code == CellMiss || code == CellHit || (cx == lastX && cy == lastY) ||
            !ClearOfWrecks(cx, cy))
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

bool Match::UniqueOpenCell(int &x, int &y) const
{
    const int n = m_game.boards.AreaSize;
    int count = 0;
    for (int j = 1; j <= n; ++j)
        for (int i = 1; i <= n; ++i) {
            const auto code = m_game.boards.OwnBoard.at(i, j);
            if ((code == CellWater || code == CellIntact) && ClearOfWrecks(i, j)) {
                ++count;
                x = i;
                y = j;
            }
        }
    return count == 1;
}

void Match::ChooseComputerTarget(int &x, int &y)
{
    const int n = m_game.boards.AreaSize;
    if (PickWoundedCell(x, y)) {
        if (UniqueNeighbourTarget(x, y))
            return;
        const int d = m_random.RandInt(3) - 1;
        if (m_random.RandInt(2) == 0)
            y += d;
        else
            x += d;
        x = std::clamp(x, 1, n);
        y = std::clamp(y, 1, n);
        return;
    }
    if (UniqueOpenCell(x, y))
        return;
    const TBoard &rejected = m_game.match.RejectedCells;
    x = m_random.RandInt(n) + 1;
    y = m_random.RandInt(n) + 1;
    if (rejected.at(x, y) == CellMiss)
        for (int k = 1; k <= n; ++k)
            if (rejected.at(k, y) == CellWater)
                x = k;
    if (rejected.at(x, y) == CellMiss)
        for (int k = 1; k <= n; ++k)
            if (rejected.at(x, k) == CellWater)
                y = k;
}

bool Match::OpponentShot(int peerCol, int peerRow)
{
    MatchState &m = m_game.match;
    TBoard &board = m_game.boards.OwnBoard;
    const int n = m_game.boards.AreaSize;
    const bool network = m_host.PeerConnected();
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
        ChooseComputerTarget(x, y);
        const auto code = board.at(x, y);
        if (code == CellShip || code == CellMiss || code == CellHit || !ClearOfWrecks(x, y)) {
            m.RejectedCells.at(x, y) = CellMiss;
            return false;
        }
    }

    ShotOutcome outcome = ShotOutcome::Miss;
    QString cue;
    if (board.at(x, y) == CellIntact) {
        board.at(x, y) = CellShip;
        outcome = ShotOutcome::Hit;
        cue = m_host.ExplosionCue();
    } else {
        board.at(x, y) = CellMiss;
        cue = m_host.MissCue();
    }
    if (ResolveShipAt(board, x, y, n)) {
        outcome = ShotOutcome::Destroyed;
        cue = m_host.DestroyCue();
    }
    if (board.at(x, y) != CellShip && board.at(x, y) != CellHit) {
        m.PlayerTurn = true;
        m_host.PutOutTurnLamp(false);
    }
    const QString shooter =
        network ? m.OpponentName + QStringLiteral(": ") : Lang("computer: ", "компьютер: ");
    const QString line =
        shooter + QString::fromStdString(CellName(x, y)) + u' ' + OutcomeWord(outcome);
    m_host.MemoLine(line);
    m_host.LogLine(line);
    m_host.PaintOwnBoard();
    m.RejectedCells.fill(CellWater);
    m_host.PlaySound(cue);
    return outcome != ShotOutcome::Miss;
}

int Match::HitPoints(int misses, int areaSize)
{
    const double k = 2.0 * areaSize / 15.0;
    return std::max(1, Nearest((100 - misses) * k));
}

int Match::DestroyPoints(int misses, int areaSize)
{
    const double k = 2.0 * areaSize / 15.0;
    return std::max(1, Nearest((250 - misses) * k));
}

int Match::MissPoints(int playerTime, int areaSize)
{
    // -(playerTime div 2) / k with k = 2 * areaSize / 15. Its exact halves
    // must go to the even side; dividing by an inexact k in floating point
    // can push one across (area 11, time 154: -52.5 came out as -53).
    return NearestRatio(-15LL * (playerTime / 2), 2LL * areaSize);
}

void Match::PlayerShot()
{
    MatchState &m = m_game.match;
    BoardState &b = m_game.boards;
    if (!m.GameInProgress || !m.PlayerTurn || m.Paused) {
        m_host.Beep();
        return;
    }
    const int n = b.AreaSize;
    if (b.HoverCol < 0 || b.HoverCol > n - 1 || b.HoverRow < 0 || b.HoverRow > n - 1)
        return;
    const int x = b.HoverCol + 1;
    const int y = b.HoverRow + 1;
    TBoard &board = b.OpponentBoard;
    const auto code = board.at(x, y);
    if (code == CellShip || code == CellMiss || code == CellHit) {
        m_host.Beep();
        return;
    }
    if (m_host.PeerConnected())
        m_host.SendShot(b.HoverCol, b.HoverRow);

    ShotOutcome outcome = ShotOutcome::Miss;
    QString cue;
    int points = 0;
    if (code == CellIntact) {
        board.at(x, y) = CellShip;
        outcome = ShotOutcome::Hit;
        cue = m_host.ExplosionCue();
        points = HitPoints(m.PlayerMisses, n);
    } else {
        board.at(x, y) = CellMiss;
        cue = m_host.MissCue();
        points = MissPoints(m.PlayerTime, n);
    }
    if (ResolveShipAt(board, x, y, n)) {
        outcome = ShotOutcome::Destroyed;
        cue = m_host.DestroyCue();
        points = DestroyPoints(m.PlayerMisses, n);
    }
    m_host.PlaySound(cue);
    if (board.at(x, y) != CellShip && board.at(x, y) != CellHit) {
        m.PlayerTurn = false;
        m_host.PutOutTurnLamp(true);
        ++m.PlayerMisses;
    }
    const QString line = m_game.settings.PlayerName + QStringLiteral(": ") +
                         QString::fromStdString(CellName(x, y)) + u' ' + OutcomeWord(outcome);
    m_host.MemoLine(line);
    m_host.LogLine(line);
    m.GameScore = std::max(0, m.GameScore + points);
    m_host.PaintOpponentBoard();
}

void Match::PauseButton(bool down)
{
    MatchState &m = m_game.match;
    if (m_host.PeerConnected() || !m.GameInProgress)
        return;
    if (down) {
        m.Paused = true;
        m_host.SetTurnInterval(100);
        m_host.MemoLine(TimeText() + Lang(" pause", " пауза"));
        m_host.LogLine(Lang("pause", "пауза"), true);
    } else {
        m.Paused = false;
        m_host.SetTurnInterval(1000);
        m_host.MemoLine(TimeText() + Lang(" continue", " продолжение"));
        m_host.LogLine(Lang("continue", "продолжение"), true);
        m_host.PaintOwnBoard();
        m_host.PaintOpponentBoard();
    }
}

void Match::Abort()
{
    MatchState &m = m_game.match;
    if (!m.GameInProgress || !m_host.Ask(MatchHost::Box::ConfirmAbort))
        return;
    // The question ran a message loop: the match may have ended meanwhile.
    if (!m.GameInProgress)
        return;
    m_host.SendGameAborted();
    RevealShips(m_game.boards.OwnBoard, m_game.boards.AreaSize);
    m.Paused = false;
    m.GameAborted = true;
    m_host.LogLine(Lang("The game is aborted by user.", "Игра прервана пользователем"));
}

} // namespace tw
