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
        //: A shot's outcome in the log: a miss.
        return catalogueOf(settings).translate("MatchLog", "wrong");
    case ShotOutcome::Hit:
        //: A shot's outcome in the log: a hit.
        return catalogueOf(settings).translate("MatchLog", "bingo");
    case ShotOutcome::Destroyed:
        return catalogueOf(settings).translate("MatchLog", "ship destroyed");
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
    const Catalogue &texts = catalogueOf(game.settings());
    const int n = game.boards().areaSize;
    QStringList lines;
    lines << texts.translate("MatchLog", "Game time: %1")
                 .arg(formatDuration(static_cast<quint32>(m.playerTime + m.opponentTime)));
    //: Above the rows of a board in the log, %1 the player's name.
    lines << texts.translate("MatchLog", "Ships placing of %1: ").arg(game.settings().playerName);
    appendBoardRows(lines, game.boards().ownBoard, n);
    if (network)
        lines << texts.translate("MatchLog", "Ships placing of %1: ").arg(m.opponentName);
    else
        lines << texts.translate("MatchLog", "Ships placing of computer: ");
    appendBoardRows(lines, game.boards().opponentBoard, n);
    return lines;
}

} // namespace tw
