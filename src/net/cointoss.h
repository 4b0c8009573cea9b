// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>

namespace tw {

// Who fires first when two invitations of this program cross, as both sides
// can work it out alike: a coin
// tossed from the two fleets (board texts) and player names, which both
// sides hold once the boards are exchanged. True when the side `own` fires
// first; exactly one of two sides with different texts or names does. With
// the same board and the same name on both sides the answer is false for
// both.
bool firesFirst(QByteArrayView ownBoard, QByteArrayView ownName, QByteArrayView peerBoard,
                QByteArrayView peerName);

} // namespace tw
