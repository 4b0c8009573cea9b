// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/link.h"

#include <QElapsedTimer>
#include <QHostInfo>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <sys/ioctl.h>
#include <tuple>
#include <utility>

namespace tw {

namespace {

// Bytes taken from a socket at a time: the reader never holds much more than
// one packet in progress plus this.
constexpr qint64 kReadChunk = 16 * 1024;

bool isTcpPort(int port)
{
    return port >= 1 && port <= 65535;
}

// What a reverse look-up found; Qt answers a failed one with the address.
QString foundName(const QHostInfo &info, const QHostAddress &address)
{
    if (info.error() != QHostInfo::NoError || info.hostName() == address.toString())
        return {};
    return info.hostName();
}

} // namespace

QHostAddress unmappedAddress(const QHostAddress &address)
{
    bool isIPv4 = false;
    const quint32 ipv4 = address.toIPv4Address(&isIPv4);
    if (address.protocol() == QAbstractSocket::IPv6Protocol && isIPv4)
        return QHostAddress(ipv4);
    return address;
}

struct PeerLink::Incoming
{
    QPointer<QTcpSocket> socket;
    IncomingConnection info;
    PacketReader reader;
    qint64 taken = 0;   // bytes read from the socket, all told
    qint64 marked = -1; // taken plus what was unread at markReceived()
    // Since the accept, and since each whole packet handed out.
    QElapsedTimer sinceActivity;
    bool deliveredPacket = false;
    QTimer idleTimer;
    int lookupId = -1; // the reverse look-up of remoteAddress
    bool draining = false;
    bool closed = false;
};

PeerLink::PeerLink(QObject *parent) : QObject(parent), m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &PeerLink::acceptPending);
}

PeerLink::~PeerLink()
{
    // Whoever listens may be half destroyed already.
    blockSignals(true);
    m_handler = nullptr;
    closeClient();
    closeIncoming();
}

bool PeerLink::listen(int port)
{
    if (m_server->isListening() && m_server->serverPort() == port)
        return true;
    if (m_server->isListening()) {
        m_server->close();
        closeIncoming();
        notePeerState();
    }
    m_listenFailure = ListenFailure::None;
    if (!isTcpPort(port)) {
        m_listenFailure = ListenFailure::NoTcpPort;
        return false;
    }
    if (m_server->listen(m_localAddress, static_cast<quint16>(port)))
        return true;
    // A system without IPv6 refuses the dual-stack socket; IPv4 alone will do.
    if (m_localAddress == QHostAddress::Any &&
        m_server->listen(QHostAddress::AnyIPv4, static_cast<quint16>(port)))
        return true;
    switch (m_server->serverError()) {
    case QAbstractSocket::AddressInUseError:
        m_listenFailure = ListenFailure::InUse;
        break;
    case QAbstractSocket::SocketAccessError:
        m_listenFailure = ListenFailure::NotAllowed;
        break;
    default:
        m_listenFailure = ListenFailure::Other;
    }
    return false;
}

bool PeerLink::isListening() const
{
    return m_server->isListening();
}

int PeerLink::listeningPort() const
{
    return m_server->isListening() ? m_server->serverPort() : 0;
}

IncomingConnection PeerLink::incoming(int index) const
{
    return m_incoming[static_cast<std::size_t>(index)]->info;
}

void PeerLink::acceptPending()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        if (m_incoming.size() >= static_cast<std::size_t>(kMaxIncoming))
            dropQuietest();
        socket->setReadBufferSize(kReadBufferLimit);
        auto incoming = std::make_shared<Incoming>();
        incoming->socket = socket;
        incoming->info.remoteAddress = unmappedAddress(socket->peerAddress());
        incoming->info.localAddress = unmappedAddress(socket->localAddress());
        incoming->sinceActivity.start();
        m_incoming.push_back(incoming);

        const std::weak_ptr<Incoming> weak = incoming;
        incoming->idleTimer.setSingleShot(true);
        connect(&incoming->idleTimer, &QTimer::timeout, this, [this, weak] {
            if (auto in = weak.lock())
                checkIdle(in);
        });
        incoming->idleTimer.start(m_idleLimit);
        connect(socket, &QTcpSocket::readyRead, this, [this, weak] {
            if (auto in = weak.lock())
                readIncoming(in);
        });
        connect(socket, &QTcpSocket::disconnected, this, [this, weak] {
            if (auto in = weak.lock())
                removeIncoming(in.get());
        });
        connect(socket, &QTcpSocket::errorOccurred, this,
                [this](QAbstractSocket::SocketError error) {
                    if (error != QAbstractSocket::RemoteHostClosedError)
                        emit socketError();
                });
        const QHostAddress remote = incoming->info.remoteAddress;
        incoming->lookupId =
            QHostInfo::lookupHost(remote.toString(), this, [weak, remote](const QHostInfo &info) {
                if (auto in = weak.lock())
                    in->info.remoteHostName = foundName(info, remote);
            });
        // Bytes may have come with the connection itself.
        if (socket->bytesAvailable() > 0)
            QTimer::singleShot(0, this, [this, weak] {
                if (auto in = weak.lock())
                    readIncoming(in);
            });
    }
    notePeerState();
}

bool PeerLink::isPeersConnection(const Incoming &incoming) const
{
    return (isClientActive() && incoming.info.remoteAddress == clientRemoteAddress()) ||
           carrier().get() == &incoming;
}

std::shared_ptr<PeerLink::Incoming> PeerLink::carrier() const
{
    std::shared_ptr<Incoming> in = m_carrier.lock();
    return in && !in->closed && in->socket ? in : nullptr;
}

bool PeerLink::hasTwoConnections() const
{
    if (!isClientActive())
        return false;
    const QHostAddress peer = clientRemoteAddress();
    return std::any_of(m_incoming.begin(), m_incoming.end(),
                       [&peer](const auto &in) { return in->info.remoteAddress == peer; });
}

PeerLink::Shape PeerLink::shape() const
{
    if (!m_server->isListening())
        return Shape::None;
    if (hasTwoConnections())
        return Shape::TwoConnections;
    if (isClientActive())
        return m_clientChannel && m_clientChannel->deliveredPacket ? Shape::OursBothWays
                                                                   : Shape::None;
    return carrier() ? Shape::TheirsBothWays : Shape::None;
}

QHostAddress PeerLink::peerAddress() const
{
    if (isClientActive())
        return clientRemoteAddress();
    if (const auto in = carrier())
        return in->info.remoteAddress;
    return {};
}

bool PeerLink::carryBothWays(const QHostAddress &address)
{
    for (auto it = m_incoming.rbegin(); it != m_incoming.rend(); ++it)
        if ((*it)->info.remoteAddress == address && (*it)->deliveredPacket) {
            m_carrier = *it;
            notePeerState();
            return true;
        }
    return false;
}

void PeerLink::dropCarrier()
{
    m_carrier.reset();
    notePeerState();
}

bool PeerLink::isActive() const
{
    return isClientActive() || carrier();
}

void PeerLink::dropQuietest()
{
    // The peer's connection, once it has spoken, goes last; among the rest
    // one that never delivered a packet goes first, then the one silent
    // longest.
    const auto keepRank = [this](const Incoming &in) {
        return std::make_tuple(in.deliveredPacket && isPeersConnection(in), in.deliveredPacket,
                               -in.sinceActivity.elapsed());
    };
    const auto quietest =
        std::min_element(m_incoming.begin(), m_incoming.end(),
                         [&](const auto &x, const auto &y) { return keepRank(*x) < keepRank(*y); });
    if (quietest != m_incoming.end())
        removeIncoming(quietest->get());
}

void PeerLink::checkIdle(const std::shared_ptr<Incoming> &incoming)
{
    if (incoming->closed)
        return;
    const qint64 limit = m_idleLimit.count();
    const qint64 quiet = incoming->sinceActivity.elapsed();
    // The peer's connection may be quiet as long as it likes once it has
    // spoken.
    if (incoming->deliveredPacket && isPeersConnection(*incoming)) {
        incoming->idleTimer.start(static_cast<int>(limit));
        return;
    }
    if (quiet < limit) {
        incoming->idleTimer.start(static_cast<int>(limit - quiet));
        return;
    }
    removeIncoming(incoming.get());
}

void PeerLink::removeIncoming(const Incoming *incoming)
{
    auto it = std::find_if(m_incoming.begin(), m_incoming.end(),
                           [incoming](const auto &in) { return in.get() == incoming; });
    if (it == m_incoming.end())
        return;
    std::shared_ptr<Incoming> in = *it;
    m_incoming.erase(it);
    in->closed = true;
    in->idleTimer.stop();
    // Look-ups wait their turn for a few resolver threads: a flood of
    // connections, each dropped soon, must not leave a queue of them behind.
    QHostInfo::abortHostLookup(in->lookupId);
    in->reader.clear();
    if (in->socket) {
        in->socket->disconnect(this);
        in->socket->abort();
        in->socket->deleteLater();
    }
    notePeerState();
}

void PeerLink::closeIncoming()
{
    while (!m_incoming.empty())
        removeIncoming(m_incoming.front().get());
}

void PeerLink::readIncoming(const std::shared_ptr<Incoming> &incoming)
{
    // A handler that lets events run may come back here for the same
    // connection; the loop below, further up the stack, goes on with it.
    if (incoming->draining)
        return;
    incoming->draining = true;
    PacketFields fields;
    while (!incoming->closed && m_handler) {
        const char type = incoming->reader.next(fields);
        if (type == kNoPacket) {
            if (!incoming->socket)
                break;
            const QByteArray bytes = incoming->socket->read(kReadChunk);
            if (bytes.isEmpty())
                break;
            incoming->reader.append(bytes);
            incoming->taken += bytes.size();
            continue;
        }
        incoming->deliveredPacket = true;
        incoming->sinceActivity.restart();
        const Incoming *outer = std::exchange(m_delivering, incoming.get());
        m_handler->handlePacket(type, fields, incoming->info);
        m_delivering = outer;
    }
    incoming->draining = false;
}

void PeerLink::markReceived()
{
    std::vector<std::shared_ptr<Incoming>> channels = m_incoming;
    if (m_clientChannel)
        channels.push_back(m_clientChannel);
    for (const std::shared_ptr<Incoming> &incoming : channels) {
        qint64 unread = 0;
        if (incoming->socket) {
            // Qt's buffer, and what the system holds that Qt has not read.
            unread = incoming->socket->bytesAvailable();
            int pending = 0;
            if (::ioctl(int(incoming->socket->socketDescriptor()), FIONREAD, &pending) == 0)
                unread += pending;
        }
        incoming->marked = incoming->taken + unread;
    }
}

bool PeerLink::deliveringMarked() const
{
    // The packet just cut ends where the reader's held bytes begin.
    return m_delivering && m_delivering->marked >= 0 &&
           m_delivering->taken - m_delivering->reader.heldBytes() <= m_delivering->marked;
}

void PeerLink::connectToPeer(const QString &address, const QString &hostName, int port)
{
    closeClient();
    m_client = new QTcpSocket(this);
    m_client->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_clientHostName = hostName;
    connect(m_client, &QTcpSocket::connected, this, &PeerLink::onClientConnected);
    connect(m_client, &QTcpSocket::stateChanged, this, &PeerLink::notePeerState);
    // Queued: a connect that fails at once (no route) must not report from
    // inside connectToPeer(). An error of a socket given up since is stale.
    connect(
        m_client, &QTcpSocket::errorOccurred, this,
        [this, client = QPointer<QTcpSocket>(m_client)](QAbstractSocket::SocketError error) {
            if (client && client == m_client)
                onClientError(error);
        },
        Qt::QueuedConnection);
    const QString target = hostName.isEmpty() ? address : hostName;
    const bool anyAddress =
        m_localAddress == QHostAddress::Any || m_localAddress == QHostAddress::AnyIPv4;
    if (!isTcpPort(port) || target.isEmpty() ||
        (!anyAddress && !m_client->bind(m_localAddress, 0))) {
        // Reported like any failed attempt: later, from the event loop.
        QTimer::singleShot(0, this, [this, client = QPointer<QTcpSocket>(m_client)] {
            if (client && client == m_client)
                onClientError(QAbstractSocket::UnknownSocketError);
        });
        return;
    }
    // A socket bound to a local address can reach that address's family only;
    // otherwise a name is tried with every address it has, as the resolver
    // orders them (IPv6 first where both ends have it).
    const auto family = m_localAddress == QHostAddress::Any ? QAbstractSocket::AnyIPProtocol
                                                            : m_localAddress.protocol();
    const QHostAddress given = unmappedAddress(QHostAddress(address));
    m_attemptAddress = unmappedAddress(QHostAddress(target));
    if (hostName.isEmpty() || given.isNull()) {
        m_client->connectToHost(target, static_cast<quint16>(port), QIODevice::ReadWrite, family);
        return;
    }
    // A name and an address: the name is looked up and used, but where it
    // names the given address too, that address is the one connected to. A
    // connection back names the peer by the address it came from and the
    // name found for it; a name with addresses of both families must not
    // lead to the peer's other address, which the peer would not know as
    // ours.
    m_clientResolving = true;
    QHostInfo::lookupHost(hostName, this,
                          [this, client = QPointer<QTcpSocket>(m_client), given, hostName, port,
                           family](const QHostInfo &info) {
                              if (!client || client != m_client)
                                  return;
                              m_clientResolving = false;
                              for (const QHostAddress &found : info.addresses())
                                  if (unmappedAddress(found) == given) {
                                      m_attemptAddress = given;
                                      client->connectToHost(given, static_cast<quint16>(port));
                                      return;
                                  }
                              client->connectToHost(hostName, static_cast<quint16>(port),
                                                    QIODevice::ReadWrite, family);
                          });
}

void PeerLink::closeClient()
{
    if (m_clientChannel) {
        m_clientChannel->closed = true;
        m_clientChannel->reader.clear();
        m_clientChannel.reset();
    }
    if (!m_client)
        return;
    m_client->disconnect(this);
    m_client->abort();
    m_client->deleteLater();
    m_client = nullptr;
    m_clientResolving = false;
    m_attemptAddress.clear();
    m_clientHostName.clear();
    notePeerState();
}

bool PeerLink::isClientActive() const
{
    return m_client && m_client->state() == QAbstractSocket::ConnectedState;
}

bool PeerLink::isClientAttempting() const
{
    if (!m_client)
        return false;
    const auto state = m_client->state();
    return m_clientResolving ||
           (state != QAbstractSocket::UnconnectedState && state != QAbstractSocket::ConnectedState);
}

QHostAddress PeerLink::attemptAddress() const
{
    return isClientAttempting() ? m_attemptAddress : QHostAddress();
}

QHostAddress PeerLink::clientRemoteAddress() const
{
    return isClientActive() ? unmappedAddress(m_client->peerAddress()) : QHostAddress();
}

quint16 PeerLink::clientRemotePort() const
{
    return isClientActive() ? m_client->peerPort() : 0;
}

void PeerLink::write(const QByteArray &bytes)
{
    const std::shared_ptr<Incoming> back = isClientActive() ? nullptr : carrier();
    QTcpSocket *out = back ? back->socket.data() : (isClientActive() ? m_client : nullptr);
    if (!out)
        return;
    if (out->bytesToWrite() + bytes.size() > kWriteBacklogLimit) {
        if (back)
            removeIncoming(back.get());
        else
            closeClient();
        emit socketError();
        return;
    }
    out->write(bytes);
    out->flush(); // hand it to the system now, not at the next event
}

void PeerLink::onClientConnected()
{
    const QHostAddress remote = clientRemoteAddress();
    m_client->setReadBufferSize(kReadBufferLimit);
    m_clientChannel = std::make_shared<Incoming>();
    m_clientChannel->socket = m_client;
    m_clientChannel->info.remoteAddress = remote;
    m_clientChannel->info.localAddress = unmappedAddress(m_client->localAddress());
    m_clientChannel->sinceActivity.start();
    const std::weak_ptr<Incoming> weak = m_clientChannel;
    connect(m_client, &QTcpSocket::readyRead, this, [this, weak] {
        if (auto in = weak.lock()) {
            const bool heard = in->deliveredPacket;
            readIncoming(in);
            if (!heard && in->deliveredPacket)
                notePeerState();
        }
    });
    QHostInfo::lookupHost(
        remote.toString(), this,
        [this, client = QPointer<QTcpSocket>(m_client), remote](const QHostInfo &info) {
            const QString name = foundName(info, remote);
            if (name.isEmpty() || !client || client != m_client || !isClientActive())
                return;
            m_clientHostName = name;
            emit clientHostNameFound(name);
        });
    notePeerState();
    emit clientConnected();
}

void PeerLink::notePeerState()
{
    const bool linked = peerConnected();
    const bool lost = m_peerWasConnected && !linked;
    m_peerWasConnected = linked;
    if (lost)
        emit peerLost();
}

void PeerLink::onClientError(QAbstractSocket::SocketError error)
{
    // An orderly close by the peer only ends the connection.
    if (error == QAbstractSocket::RemoteHostClosedError)
        return;
    emit socketError();
    emit clientFailed();
}

} // namespace tw
