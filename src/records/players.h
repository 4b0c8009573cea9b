// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/scoredata.h"

#include <QString>
#include <QStringList>

namespace tw {

// The names of the used records, in record order (the player list sorts
// them for display).
QStringList usedPlayerNames(const ScoreBlock &data);

// Resets every record whose name is exactly one of names (letter case
// counts). Free slots are compared too; their names are empty, so only an
// empty name (possible in a damaged file) resets them again.
void removePlayers(ScoreBlock &data, const QStringList &names);

// The player name made from what was typed in the name field: every "|"
// (the line break of the statistics text and the field separator of
// packets) becomes a space, characters Windows-1251 cannot hold are
// dropped, an empty result becomes "NewUser", and at most 32 characters
// are kept. Spaces at either end stay.
QString normalizedPlayerName(QString typed);

} // namespace tw
