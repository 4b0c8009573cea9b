#pragma once

#include <QString>

namespace tw {

// The closing remark of the statistics window after a match. pick (1 to 10)
// chooses one of ten remarks for a match against the computer; a network
// match has one remark of its own, naming the peer. The caller draws pick
// even in a network match, so that the random sequence does not depend on
// the opponent.
QString computerLossRemark(int pick, const QString &playerName);
QString computerWinRemark(int pick, const QString &playerName);
QString peerLossRemark(const QString &peerName);
QString peerWinRemark(const QString &peerName, bool english);

} // namespace tw
