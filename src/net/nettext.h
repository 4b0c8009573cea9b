// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Texts of network play as they cross between the wire and the windows.
// Shared by the connection, the match agreement and the match traffic.

#include "match/gamestate.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace tw {

// Peer names are cut to the length of a player name.
inline constexpr int kMaxPeerNameLength = 32;

// Text from the peer, for the windows: every byte one character, control
// characters shown as blanks so that a line stays one line.
QString peerText(QByteArrayView bytes);
// A name from the peer, cut to kMaxPeerNameLength bytes, for the windows.
QString peerName(QByteArrayView bytes);
// The area size of a C or U packet: a decimal number that fits a byte.
std::optional<int> areaSizeField(QByteArrayView field);
// A text field as the packet builders put it on the wire.
QByteArray wireText(const QString &text);
// The own board as the area data packet carries it.
QByteArray ownBoardText(const GameState &game);

} // namespace tw
