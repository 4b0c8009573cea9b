// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/cointoss.h"

#include <QByteArray>
#include <cstdint>

namespace tw {

namespace {

std::uint64_t tossHash(QByteArrayView bytes)
{
    std::uint64_t h = 14695981039346656037ull; // FNV-1a
    for (const char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ull;
    }
    // FNV's low bits depend on few input bits: mix the high ones down.
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    return h;
}

} // namespace

bool firesFirst(QByteArrayView ownBoard, QByteArrayView ownName, QByteArrayView peerBoard,
                QByteArrayView peerName)
{
    const QByteArray own = ownBoard.toByteArray() + '\n' + ownName.toByteArray();
    const QByteArray peer = peerBoard.toByteArray() + '\n' + peerName.toByteArray();
    if (own == peer)
        return false;
    // Both sides order the pair the same way, so they toss the same coin.
    const bool ownLower = own < peer;
    const QByteArray &lower = ownLower ? own : peer;
    const QByteArray &higher = ownLower ? peer : own;
    const bool lowerFirst = (tossHash(lower + '\0' + higher) & 1u) != 0;
    return ownLower == lowerFirst;
}

} // namespace tw
