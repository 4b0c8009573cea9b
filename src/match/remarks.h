// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamestate.h"

#include <QString>

namespace tw {

// The closing remark of the statistics window after a match. pick (1 to 10)
// chooses one of ten remarks for a match against the computer; a network
// match has one remark of its own, naming the peer. The caller draws pick
// even in a network match, so that the random sequence does not depend on
// the opponent. The language is that of settings.
QString computerLossRemark(const Settings &settings, int pick, const QString &playerName);
QString computerWinRemark(const Settings &settings, int pick, const QString &playerName);
QString peerLossRemark(const Settings &settings, const QString &peerName);
QString peerWinRemark(const Settings &settings, const QString &peerName);

} // namespace tw
