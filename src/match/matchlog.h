// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamestate.h"
#include "model/shots.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace tw {

// The texts a match writes to the log window and the log file, in the
// language of the settings.

// The moment of a line in the log window: "14:05:06", or with the date.
QString timeText(const QDateTime &now);
QString dateTimeText(const QDateTime &now);

// One shot: who fired ("Anna: ", "computer: "), the cell and what it did,
// as in "Anna: C7 bingo".
QString shotLine(const Settings &settings, const QString &shooter, int x, int y,
                 ShotOutcome outcome);

// The lines after the end of a match: its length, then both fleets row by
// row ('O' a ship cell, '-' water). network names the peer as the owner of
// the opponent board, else the computer.
QStringList gameSummary(const GameState &game, bool network);

} // namespace tw
