// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The upkeep of the link to the peer: listening, the "Ok!" and "No!" of the
// network options, the connection invite that links the peer back, and what
// the status line and the lamp show about it.

#include "match/gamestate.h"
#include "net/link.h"
#include "net/netplayprompts.h"
#include "net/peeraddress.h"

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTimer>

namespace tw {

class PacketFields;

class PeerConnection : public QObject
{
    Q_OBJECT
public:
    // How long a connection back to a peer that is this program may take
    // before the link runs over the peer's connection alone. The peer's
    // router drops what it does not forward, so no refusal ever comes.
    static constexpr int kConnectBackMilliseconds = 5000;

    // Precondition: prompts outlive the connection.
    PeerConnection(GameState &game, NetPlayPrompts &prompts, QObject *parent = nullptr);

    PeerLink &link() { return m_link; }
    const PeerLink &link() const { return m_link; }

    int serverPort() const { return m_serverPort; }
    void setServerPort(int port) { m_serverPort = port; }
    // The port a peer connects back to, when the router maps another one to
    // ours; 0: the one listened on.
    void setReturnPort(quint16 port) { m_returnPort = port; }

    // (Re)starts listening on serverPort, reporting in the status line.
    void startServer();
    // "Ok!": connect to the peer in the address, host and port fields.
    void connectToPeer();
    // "No!": drop the outgoing connection.
    void disconnectFromPeer();
    bool peerConnected() const { return m_link.peerConnected(); }
    // Each turn-timer tick while no match runs: lamp and status.
    void showConnectionState();
    // The packet came through the connection of the machine this program is
    // connected to.
    bool fromPeer(const IncomingConnection &from) const;

    // The user info change packet. Callers test the link.
    void sendUserInfo();
    void sendUserInfoIfIdle();

    // The peer's connection invite (C) and user info change (U) packets.
    void handleConnectionInvite(const PacketFields &fields, const IncomingConnection &from);
    void handleUserInfo(const PacketFields &fields, const IncomingConnection &from);

signals:
    // The status line of the network options.
    void statusChanged(const QString &text);
    // The connection lamp, lit at each idle tick: linked or not.
    void lampShown(bool linked);
    // "Ok!" may be pressed (again), or not while an attempt runs.
    void connectEnabledChanged(bool enabled);
    // Filled into the network options' fields.
    void addressFilled(const QString &text);
    void hostFilled(const QString &text);
    void portFilled(const QString &text);
    void soundRequested(const QString &name);

private:
    // Drops what link there is and connects to the peer at address (or its
    // host name, when given) and port.
    void startAttempt(const QString &address, const QString &hostName, int port);
    // An attempt of this side's own, or a connection back, is under way to
    // another machine than address.
    bool attemptGoesElsewhere(const QHostAddress &address) const;
    // The connection back to a peer that is this program could not be made:
    // both ways over the peer's connection, if it is still open.
    void carryBothWays();
    void onConnected();
    void onConnectError();
    void onClientHostNameFound(const QString &name);
    void showOpponentStatus(const QString &name, int areaSize);
    void showStatus(const QString &text);
    // The player's input cannot be connected to: said, and kept in the
    // status line until there is news.
    void refuseInput(const QString &text);
    // The port the peer connects back to.
    quint16 returnPort() const;
    const Catalogue &texts() const;
    QString connectedText(const QString &host) const;

    GameState &m_game;
    NetPlayPrompts &m_prompts;
    PeerLink m_link;
    int m_serverPort = kDefaultPeerPort;
    quint16 m_returnPort = 0;
    // Connecting back to a peer that is this program: its address, and the
    // time it has.
    QHostAddress m_connectingBackTo;
    QTimer m_connectBackTimer;
    // The status shown is "connection established", which the host name
    // found later completes.
    bool m_connectedTo = false;
    bool m_refusalShown = false;
};

} // namespace tw
