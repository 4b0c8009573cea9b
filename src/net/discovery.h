// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Games on the local network: this program announces its own game and hears
// of the others through a service-discovery daemon (DNS-SD). Everything here
// is for display and for filling the address field; whatever a record says
// is checked by the link again once the player connects.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <optional>

namespace tw {

// The DNS-SD service type every game announces.
inline constexpr char kGameServiceType[] = "_tarnwake._tcp";

// What this program tells the network about itself.
struct GameAnnouncement
{
    QString playerName;
    int areaSize = 0;
    int port = 0; // the listening port; 0: not listening, nothing announced

    bool operator==(const GameAnnouncement &) const = default;
};

// A game another program announces, already checked (see checkedGame()).
struct FoundGame
{
    QString key;        // the service instance; the same while it lives
    QString playerName; // at most 32 characters, no "|", no control characters
    int areaSize = 0;   // 10 to 15
    QString hostName;   // printable, for display only; may be empty
    QString address;    // an IP address, for the address field
    int port = 0;       // 1 to 65535

    bool operator==(const FoundGame &) const = default;
};

// The TXT record of a game: "name=<player name, UTF-8>" and "area=<size>".
// Its raw fields as they came, and the game they describe when they are
// fit to show; nothing when they are not (the record is then skipped).
struct RawGameRecord
{
    QString key;
    QByteArray name, area; // TXT values
    QByteArray hostName;
    QString address;
    int port = 0;
};
std::optional<FoundGame> checkedGame(const RawGameRecord &record);

// A service-discovery client: announces this game and reports the others.
// Implementations call back on the thread that made them, from its event
// loop; one that has no daemon to talk to announces nothing and finds
// nothing, silently.
class GameDiscovery : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Announces the game, or changes what is announced; an announcement with
    // port 0 withdraws it. Repeating the same announcement changes nothing.
    virtual void announce(const GameAnnouncement &game) = 0;

signals:
    // A game appeared, or what it announces changed (same key).
    void gameFound(const tw::FoundGame &game);
    // The game of that key is gone.
    void gameLost(const QString &key);
};

} // namespace tw
