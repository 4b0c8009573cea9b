#include "matchlog.h"

#include "util/duration.h"
#include "util/localtime.h"

namespace tw {

namespace {

QString outcomeWord(ShotOutcome outcome)
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

QString shotLine(const QString &shooter, int x, int y, ShotOutcome outcome)
{
    return shooter + QString::fromStdString(cellName(x, y)) + u' ' + outcomeWord(outcome);
}

QStringList gameSummary(const GameState &game, bool network)
{
    const MatchState &m = game.match;
    const int n = game.boards.areaSize;
    QStringList lines;
    lines << localized("Game time: ", "Общее время игры: ") +
                 formatDuration(static_cast<quint32>(m.playerTime + m.opponentTime));
    lines << localized("Ships placing of ", "Расстановка кораблей ") + game.settings.playerName +
                 QStringLiteral(": ");
    appendBoardRows(lines, game.boards.ownBoard, n);
    if (network)
        lines << localized("Ships placing of ", "Расстановка кораблей ") + m.opponentName +
                     QStringLiteral(": ");
    else
        lines << localized("Ships placing of computer: ", "Расстановка кораблей компьютера: ");
    appendBoardRows(lines, game.boards.opponentBoard, n);
    return lines;
}

} // namespace tw
