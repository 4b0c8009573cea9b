// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/discovery.h"

#include "net/link.h"

#include <QHostAddress>

namespace tw {

namespace {

constexpr int kMaxNameLength = 32;
constexpr int kMaxHostNameLength = 255;

// Nothing a line of a list could be broken or disguised by.
bool printable(const QString &text)
{
    for (const QChar c : text)
        if (!c.isPrint() || c == QChar::ReplacementCharacter)
            return false;
    return true;
}

} // namespace

std::optional<FoundGame> checkedGame(const RawGameRecord &record)
{
    FoundGame game;
    game.key = record.key;
    // Values longer than any fair one are not even decoded.
    if (game.key.isEmpty() || record.name.size() > 4 * kMaxNameLength || record.area.size() != 2 ||
        record.hostName.size() > kMaxHostNameLength)
        return std::nullopt;

    game.playerName = QString::fromUtf8(record.name);
    if (game.playerName.trimmed().isEmpty() || game.playerName.size() > kMaxNameLength ||
        !printable(game.playerName) || game.playerName.contains(u'|'))
        return std::nullopt;

    // Two decimal digits, 10 to 15: what a game can be played on.
    const QByteArray &area = record.area;
    if (area[0] != '1' || area[1] < '0' || area[1] > '5')
        return std::nullopt;
    game.areaSize = 10 + (area[1] - '0');

    QHostAddress address;
    if (!address.setAddress(record.address) || address.isNull())
        return std::nullopt;
    game.address = unmappedAddress(address).toString();

    if (record.port < 1 || record.port > 65535)
        return std::nullopt;
    game.port = record.port;

    // The host name is only shown; one that cannot be shown is left out.
    game.hostName = QString::fromUtf8(record.hostName);
    if (game.hostName.endsWith(u'.'))
        game.hostName.chop(1);
    if (!printable(game.hostName))
        game.hostName.clear();
    return game;
}

} // namespace tw
