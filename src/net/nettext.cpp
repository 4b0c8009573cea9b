// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/nettext.h"

#include "model/board.h"
#include "net/packet.h"
#include "util/cp1251.h"

#include <algorithm>

namespace tw {

QString peerText(QByteArrayView bytes)
{
    QString text = fromCp1251(bytes);
    for (QChar &c : text)
        if (c.unicode() < 32)
            c = u' ';
    return text;
}

QString peerName(QByteArrayView bytes)
{
    return peerText(bytes.first(std::min<qsizetype>(bytes.size(), kMaxPeerNameLength)));
}

std::optional<int> areaSizeField(QByteArrayView field)
{
    const std::optional<int> n = decimalField(field);
    if (!n || *n > 255)
        return std::nullopt;
    return n;
}

QByteArray wireText(const QString &text)
{
    QByteArray bytes = toCp1251(text);
    bytes.replace(kFieldSeparator, ' ');
    if (bytes.isEmpty())
        bytes = " ";
    return bytes;
}

QByteArray ownBoardText(const GameState &game)
{
    return QByteArray::fromStdString(boardToText(game.boards().ownBoard));
}

} // namespace tw
