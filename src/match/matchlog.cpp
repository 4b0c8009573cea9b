// SPDX-License-Identifier: GPL-3.0-or-later
#include "matchlog.h"

#include "util/duration.h"
#include "util/localtime.h"

namespace tw {

namespace {

QString outcomeWord(const Settings &settings, ShotOutcome outcome)
{
    switch (outcome) {
    case ShotOutcome::Miss:
        return localized(settings, "wrong", "мимо");
    case ShotOutcome::Hit:
        return localized(settings, "bingo", "попадание");
    case ShotOutcome::Destroyed:
        return localized(settings, "ship destroyed", "корабль уничтожен");
    }
    return {};
}

void appendBoardRows(QStringList &lines, const Board &board, int areaSize)
{
    for (int y = 1; y <= areaSize; ++y) {
        QString row(QStringLiteral(" "));
        for (int x = 1; x <= areaSize; ++x) {
            const auto code = board.at(x, y);
            row += code == CellShip || code == CellHit ? u'O' : u'-';
        }
        lines << row;
    }
}

} // namespace

QString timeText(const QDateTime &now)
{
    return longTimeText(now.time());
}

QString dateTimeText(const QDateTime &now)
{
    return shortDateText(now.date()) + u' ' + longTimeText(now.time());
}

QString shotLine(const Settings &settings, const QString &shooter, int x, int y,
                 ShotOutcome outcome)
{
    return shooter + QString::fromStdString(cellName(x, y)) + u' ' + outcomeWord(settings, outcome);
}

QStringList gameSummary(const GameState &game, bool network)
{
    const MatchState &m = game.match();
    const Settings &s = game.settings();
    const int n = game.boards().areaSize;
    QStringList lines;
    lines << localized(s, "Game time: ", "Общее время игры: ") +
                 formatDuration(static_cast<quint32>(m.playerTime + m.opponentTime));
    lines << localized(s, "Ships placing of ", "Расстановка кораблей ") +
                 game.settings().playerName + QStringLiteral(": ");
    appendBoardRows(lines, game.boards().ownBoard, n);
    if (network)
        lines << localized(s, "Ships placing of ", "Расстановка кораблей ") + m.opponentName +
                     QStringLiteral(": ");
    else
        lines << localized(s, "Ships placing of computer: ", "Расстановка кораблей компьютера: ");
    appendBoardRows(lines, game.boards().opponentBoard, n);
    return lines;
}

} // namespace tw
