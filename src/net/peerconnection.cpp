// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/peerconnection.h"

#include "net/nettext.h"
#include "net/packet.h"
#include "net/peeraddress.h"

#include <cmath>

namespace tw {

namespace {

bool sameHost(const QHostAddress &a, const QHostAddress &b)
{
    return unmappedAddress(a) == unmappedAddress(b);
}

} // namespace

PeerConnection::PeerConnection(GameState &game, NetPlayPrompts &prompts, QObject *parent)
    : QObject(parent), m_game(game), m_prompts(prompts)
{
    connect(&m_link, &PeerLink::clientConnected, this, &PeerConnection::onConnected);
    connect(&m_link, &PeerLink::socketError, this, &PeerConnection::onConnectError);
    connect(&m_link, &PeerLink::clientHostNameFound, this, &PeerConnection::onClientHostNameFound);
    connect(&m_link, &PeerLink::clientFailed, this, &PeerConnection::carryBothWays);
    m_connectBackTimer.setSingleShot(true);
    m_connectBackTimer.setInterval(kConnectBackMilliseconds);
    connect(&m_connectBackTimer, &QTimer::timeout, this, &PeerConnection::carryBothWays);
}

const Catalogue &PeerConnection::texts() const
{
    return catalogueOf(m_game.settings());
}

void PeerConnection::showStatus(const QString &text)
{
    m_connectedTo = false;
    m_refusalShown = false;
    emit statusChanged(text);
}

void PeerConnection::refuseInput(const QString &text)
{
    showStatus(text);
    // Kept until something else is to be said: the idle tick would
    // otherwise replace it before the player has read it.
    m_refusalShown = true;
    emit connectEnabledChanged(true);
}

QString PeerConnection::connectedText(const QString &host) const
{
    return texts().translate("PeerConnection", "connection established: %1").arg(host);
}

void PeerConnection::startServer()
{
    showStatus(texts().translate("PeerConnection", "server init: Ok"));
    if (!m_link.listen(m_serverPort))
        showStatus(texts().translate("PeerConnection", "server error!"));
}

void PeerConnection::connectToPeer()
{
    bool isNumber = false;
    const double number = m_prompts.portField().toDouble(&isNumber);
    if (!isNumber || std::isnan(number))
        return;
    QString address = m_prompts.addressField().trimmed();
    const QString hostName = m_prompts.hostField().trimmed();
    if (address.isEmpty() && hostName.isEmpty())
        return;
    // A port no TCP socket can have is refused before anything changes: the
    // game keeps listening where it was. (A peer never sees this field.)
    const double port = std::nearbyint(number); // a half to the even neighbour
    if (port < 1 || port > 65535) {
        refuseInput(texts().translate("PeerConnection", "The port must be from 1 to 65535"));
        return;
    }
    m_serverPort = static_cast<int>(port);
    emit portFilled(QString::number(m_serverPort));
    // The peer listens on the port its address names, else on ours. What
    // cannot be an address is refused here, so the check and the connection
    // never disagree.
    int peerPort = m_serverPort;
    if (!address.isEmpty()) {
        const auto typed = parsePeerAddress(address, static_cast<quint16>(m_serverPort));
        if (!typed) {
            constexpr qsizetype kShown = 40;
            const QString shown =
                address.size() > kShown ? address.first(kShown) + QChar(0x2026) : address;
            refuseInput(texts().translate("PeerConnection", "Not an address: %1").arg(shown));
            return;
        }
        address = typed->host;
        peerPort = typed->port;
    }
    startAttempt(address, hostName, peerPort);
}

void PeerConnection::startAttempt(const QString &address, const QString &hostName, int port)
{
    m_link.closeClient();
    m_link.dropCarrier();
    m_connectingBackTo.clear();
    m_connectBackTimer.stop();
    startServer();
    if (!m_link.isListening())
        return;
    emit connectEnabledChanged(false);
    m_link.connectToPeer(address, hostName, port);
}

bool PeerConnection::attemptGoesElsewhere(const QHostAddress &address) const
{
    if (!m_connectingBackTo.isNull() && !sameHost(m_connectingBackTo, address))
        return true;
    if (!m_link.isClientAttempting())
        return false;
    // Still looking the name up: it could be anyone's.
    const QHostAddress target = m_link.attemptAddress();
    return target.isNull() || !sameHost(target, address);
}

void PeerConnection::disconnectFromPeer()
{
    m_connectingBackTo.clear();
    m_connectBackTimer.stop();
    if (m_link.isActive()) {
        m_link.closeClient();
        m_link.dropCarrier();
        emit soundRequested(m_prompts.missCue());
    } else {
        m_link.closeClient(); // an attempt still under way
    }
    emit connectEnabledChanged(true);
}

void PeerConnection::carryBothWays()
{
    const QHostAddress peer = std::exchange(m_connectingBackTo, QHostAddress());
    m_connectBackTimer.stop();
    if (peer.isNull() || m_link.isClientActive())
        return;
    m_link.closeClient();
    if (!m_link.carryBothWays(peer)) {
        onConnectError();
        return;
    }
    // The peer learns who we are over its own connection, as it would over
    // ours.
    emit connectEnabledChanged(true);
    sendPacket(m_link, makeConnectionInvite(m_game.settings().playerName, m_game.boards().areaSize,
                                            returnPort()));
}

void PeerConnection::onConnected()
{
    m_connectingBackTo.clear();
    m_connectBackTimer.stop();
    const QString name = m_link.clientRemoteHostName();
    showStatus(connectedText(name));
    m_connectedTo = true;
    emit connectEnabledChanged(true);
    emit addressFilled(addressText(m_link.clientRemoteAddress(), m_link.clientRemotePort(),
                                   static_cast<quint16>(m_serverPort)));
    emit hostFilled(name);
    sendPacket(m_link, makeConnectionInvite(m_game.settings().playerName, m_game.boards().areaSize,
                                            returnPort()));
    emit soundRequested(QStringLiteral("CONNECT"));
}

void PeerConnection::onClientHostNameFound(const QString &name)
{
    // The look-up answers after the connect; its name completes the status
    // text of the connect while that is still shown.
    emit hostFilled(name);
    if (m_connectedTo)
        showStatus(connectedText(name));
}

quint16 PeerConnection::returnPort() const
{
    return m_returnPort ? m_returnPort : static_cast<quint16>(m_link.listeningPort());
}

void PeerConnection::onConnectError()
{
    // A connection back that fails leaves the link to the peer's connection.
    if (!m_connectingBackTo.isNull())
        return;
    showStatus(texts().translate("PeerConnection", "connection error!"));
    emit connectEnabledChanged(true);
}

void PeerConnection::showConnectionState()
{
    if (peerConnected()) {
        emit lampShown(true);
        return;
    }
    emit lampShown(false);
    if (!m_refusalShown)
        showStatus(texts().translate("PeerConnection", "no connection"));
}

void PeerConnection::sendUserInfo()
{
    sendPacket(m_link, makeUserInfoChange(m_game.settings().playerName, m_game.boards().areaSize));
}

void PeerConnection::sendUserInfoIfIdle()
{
    if (peerConnected() && !m_game.match().gameInProgress)
        sendUserInfo();
}

bool PeerConnection::fromPeer(const IncomingConnection &from) const
{
    const QHostAddress peer = m_link.peerAddress();
    return !peer.isNull() && from.remoteAddress == peer;
}

void PeerConnection::showOpponentStatus(const QString &name, int areaSize)
{
    const Catalogue &t = texts();
    QString text;
    switch (m_link.shape()) {
    case PeerLink::Shape::OursBothWays:
        //: %1 the opponent's name, %2 the area size; this side's connection carries both ways.
        text = t.translate("PeerConnection",
                           "Your opponent: %1 (area size: %2) - one connection, ours");
        break;
    case PeerLink::Shape::TheirsBothWays:
        //: %1 the opponent's name, %2 the area size; the peer's connection carries both ways.
        text = t.translate("PeerConnection",
                           "Your opponent: %1 (area size: %2) - one connection, theirs");
        break;
    default:
        //: %1 the opponent's name, %2 the area size.
        text = t.translate("PeerConnection", "Your opponent: %1 (area size: %2)");
        break;
    }
    showStatus(text.arg(name, QString::number(areaSize)));
}

void PeerConnection::handleConnectionInvite(const PacketFields &fields,
                                            const IncomingConnection &from)
{
    const std::optional<int> areaSize = areaSizeField(fields.payload(2));
    if (!areaSize)
        return;
    // A peer chosen by an attempt still under way stays chosen until the
    // attempt has ended: a stranger's invite meanwhile is not heard.
    if (attemptGoesElsewhere(from.remoteAddress))
        return;
    // No connection back to this very machine, nor away from a link that
    // already goes to another machine.
    const bool fromThisMachine = from.remoteAddress == from.localAddress;
    const bool linkedElsewhere =
        (m_link.isClientActive() && m_link.clientRemoteAddress() != from.localAddress) ||
        (m_link.shape() == PeerLink::Shape::TheirsBothWays &&
         m_link.peerAddress() != from.remoteAddress);
    const bool connectingBack = !fromThisMachine && !linkedElsewhere;
    // Only the peer, or the machine about to become it, names the opponent.
    if (!connectingBack && !fromPeer(from))
        return;
    if (connectingBack) {
        // This program says where it listens; any other peer listens on the
        // port both sides use.
        const auto listening = static_cast<quint16>(m_link.listeningPort());
        const quint16 back = returnPortField(fields.payload(3)).value_or(listening);
        emit addressFilled(addressText(from.remoteAddress, back, listening));
        emit hostFilled(from.remoteHostName);
        m_serverPort = listening;
        emit portFilled(QString::number(m_serverPort));
        // Back to the address the invite came from, never to where its
        // reverse name leads: anyone may name their address after another
        // machine. The name is for the player to read.
        startAttempt(unmappedAddress(from.remoteAddress).toString(), QString(), back);
        // This program, behind a router that may open no port: if the way
        // back stays shut, its own connection carries the link both ways.
        if (returnPortField(fields.payload(3)) && !m_link.isClientActive()) {
            m_connectingBackTo = from.remoteAddress;
            m_connectBackTimer.start();
        }
    }
    showOpponentStatus(peerName(fields.payload(1)), *areaSize);
    // The answer to the peer's own invite, once linked. Anyone who reaches
    // the open port can send an invite; answering theirs would hand every
    // stranger a packet to the peer.
    if (peerConnected() && fromPeer(from))
        sendUserInfo();
}

void PeerConnection::handleUserInfo(const PacketFields &fields, const IncomingConnection &from)
{
    if (!fromPeer(from))
        return;
    if (const std::optional<int> areaSize = areaSizeField(fields.payload(2)))
        showOpponentStatus(peerName(fields.payload(1)), *areaSize);
}

} // namespace tw
