// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/peerconnection.h"

#include "net/nettext.h"
#include "net/packet.h"
#include "net/peeraddress.h"

#include <cmath>

namespace tw {

PeerConnection::PeerConnection(GameState &game, NetPlayPrompts &prompts, QObject *parent)
    : QObject(parent), m_game(game), m_prompts(prompts)
{
    connect(&m_link, &PeerLink::clientConnected, this, &PeerConnection::onConnected);
    connect(&m_link, &PeerLink::socketError, this, &PeerConnection::onConnectError);
    connect(&m_link, &PeerLink::clientHostNameFound, this, &PeerConnection::onClientHostNameFound);
}

QString PeerConnection::localized(const char *english, const char *russian) const
{
    return tw::localized(m_game.settings(), english, russian);
}

void PeerConnection::showStatus(const QString &text)
{
    m_status = text;
    emit statusChanged(text);
}

void PeerConnection::startServer()
{
    showStatus(localized("server init: Ok", "инициализация сервера: Ок"));
    if (!m_link.listen(m_serverPort))
        showStatus(localized("server error!", "ошибка сервера!"));
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
    const double port = number < 0 || number > 2147483647.0 ? kFallbackPort : number;
    m_serverPort = static_cast<int>(std::nearbyint(port)); // a half to the even neighbour
    emit portFilled(QString::number(m_serverPort));
    // The peer listens on the port its address names, else on ours.
    int peerPort = m_serverPort;
    if (m_serverPort >= 1 && m_serverPort <= 65535) {
        if (const auto typed = parsePeerAddress(address, static_cast<quint16>(m_serverPort))) {
            address = typed->host;
            peerPort = typed->port;
        }
    }
    m_link.closeClient();
    startServer();
    if (!m_link.isListening())
        return;
    emit connectEnabledChanged(false);
    m_link.connectToPeer(address, hostName, peerPort);
}

void PeerConnection::disconnectFromPeer()
{
    if (m_link.isClientActive()) {
        m_link.closeClient();
        emit soundRequested(m_prompts.missCue());
    } else {
        m_link.closeClient(); // an attempt still under way
    }
    emit connectEnabledChanged(true);
}

void PeerConnection::onConnected()
{
    const QString name = m_link.clientRemoteHostName();
    showStatus(localized("connection established: ", "успешное подключение: ") + name);
    emit connectEnabledChanged(true);
    emit addressFilled(addressText(m_link.clientRemoteAddress(), m_link.clientRemotePort(),
                                   static_cast<quint16>(m_serverPort)));
    emit hostFilled(name);
    const auto returnPort =
        m_returnPort ? m_returnPort : static_cast<quint16>(m_link.listeningPort());
    sendPacket(m_link, makeConnectionInvite(m_game.settings().playerName, m_game.boards().areaSize,
                                            returnPort));
    emit soundRequested(QStringLiteral("CONNECT"));
}

void PeerConnection::onClientHostNameFound(const QString &name)
{
    // The look-up answers after the connect; its name completes the status
    // text of the connect while that is still shown.
    const QString shown = m_status;
    emit hostFilled(name);
    for (const QString &prefix :
         {QStringLiteral("connection established: "), QStringLiteral("успешное подключение: ")})
        if (shown.startsWith(prefix))
            showStatus(prefix + name);
}

void PeerConnection::onConnectError()
{
    showStatus(localized("connection error!", "ошибка подключения!"));
    emit connectEnabledChanged(true);
}

void PeerConnection::showConnectionState()
{
    if (peerConnected()) {
        emit lampShown(true);
        return;
    }
    emit lampShown(false);
    showStatus(localized("no connection", "нет подключения"));
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
    return m_link.isClientActive() && from.remoteAddress == m_link.clientRemoteAddress();
}

void PeerConnection::showOpponentStatus(const QString &name, int areaSize)
{
    const QString n = QString::number(areaSize);
    showStatus(
        m_game.settings().englishUi
            ? QStringLiteral("Your opponent: ") + name + QStringLiteral(" (area size: ") + n + u')'
            : QStringLiteral("Ваш супостат: ") + name + QStringLiteral(" (поле: ") + n + u')');
}

void PeerConnection::handleConnectionInvite(const PacketFields &fields,
                                            const IncomingConnection &from)
{
    const std::optional<int> areaSize = areaSizeField(fields.payload(2));
    if (!areaSize)
        return;
    // No connection back to this very machine, nor away from a link that
    // already goes to another machine.
    const bool fromThisMachine = from.remoteAddress == from.localAddress;
    const bool linkedElsewhere =
        m_link.isClientActive() && m_link.clientRemoteAddress() != from.localAddress;
    if (!fromThisMachine && !linkedElsewhere) {
        // This program says where it listens; any other peer listens on the
        // port both sides use.
        const auto listening = static_cast<quint16>(m_link.listeningPort());
        const quint16 back = returnPortField(fields.payload(3)).value_or(listening);
        emit addressFilled(addressText(from.remoteAddress, back, listening));
        emit portFilled(QString::number(listening));
        emit hostFilled(from.remoteHostName);
        connectToPeer();
    }
    showOpponentStatus(peerName(fields.payload(1)), *areaSize);
    // The answer to the peer's own invite, once linked. Anyone who reaches
    // the open port can send an invite; answering theirs would hand every
    // stranger a packet to the peer.
    if (peerConnected() && fromPeer(from))
        sendUserInfo();
}

void PeerConnection::handleUserInfo(const PacketFields &fields)
{
    if (const std::optional<int> areaSize = areaSizeField(fields.payload(2)))
        showOpponentStatus(peerName(fields.payload(1)), *areaSize);
}

} // namespace tw
