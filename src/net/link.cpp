#include "net/link.h"

#include <QHostInfo>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>

namespace tw {

namespace {

// Bytes taken from a socket at a time: the reader never holds much more than
// one packet in progress plus this.
constexpr qint64 kReadChunk = 16 * 1024;

bool IsTcpPort(int port)
{
    return port >= 1 && port <= 65535;
}

// What a reverse look-up found; Qt answers a failed one with the address.
QString FoundName(const QHostInfo &info, const QHostAddress &address)
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
    bool draining = false;
    bool closed = false;
};

PeerLink::PeerLink(QObject *parent) : QObject(parent), ServerSocket1(new QTcpServer(this))
{
    connect(ServerSocket1, &QTcpServer::newConnection, this, &PeerLink::acceptPending);
}

PeerLink::~PeerLink()
{
    m_handler = nullptr;
    closeClient();
    closeIncoming();
}

bool PeerLink::listen(int port)
{
    if (ServerSocket1->isListening() && ServerSocket1->serverPort() == port)
        return true;
    if (ServerSocket1->isListening()) {
        ServerSocket1->close();
        closeIncoming();
    }
    if (!IsTcpPort(port))
        return false;
    if (ServerSocket1->listen(m_localAddress, static_cast<quint16>(port)))
        return true;
    // A system without IPv6 refuses the dual-stack socket; IPv4 alone will do.
    return m_localAddress == QHostAddress::Any &&
           ServerSocket1->listen(QHostAddress::AnyIPv4, static_cast<quint16>(port));
}

bool PeerLink::isListening() const
{
    return ServerSocket1->isListening();
}

int PeerLink::listeningPort() const
{
    return ServerSocket1->isListening() ? ServerSocket1->serverPort() : 0;
}

IncomingConnection PeerLink::incoming(int index) const
{
    return m_incoming[static_cast<std::size_t>(index)]->info;
}

void PeerLink::acceptPending()
{
    while (QTcpSocket *socket = ServerSocket1->nextPendingConnection()) {
        if (m_incoming.size() >= static_cast<std::size_t>(kMaxIncoming)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        socket->setReadBufferSize(kReadBufferLimit);
        auto incoming = std::make_shared<Incoming>();
        incoming->socket = socket;
        incoming->info.remoteAddress = unmappedAddress(socket->peerAddress());
        incoming->info.localAddress = unmappedAddress(socket->localAddress());
        m_incoming.push_back(incoming);

        const std::weak_ptr<Incoming> weak = incoming;
        connect(socket, &QTcpSocket::readyRead, this, [this, weak] {
            if (auto in = weak.lock())
                ServerSocket1ClientRead(in);
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
        QHostInfo::lookupHost(remote.toString(), this, [weak, remote](const QHostInfo &info) {
            if (auto in = weak.lock())
                in->info.remoteHostName = FoundName(info, remote);
        });
        // Bytes may have come with the connection itself.
        if (socket->bytesAvailable() > 0)
            QTimer::singleShot(0, this, [this, weak] {
                if (auto in = weak.lock())
                    ServerSocket1ClientRead(in);
            });
    }
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
    in->reader.clear();
    if (in->socket) {
        in->socket->disconnect(this);
        in->socket->abort();
        in->socket->deleteLater();
    }
}

void PeerLink::closeIncoming()
{
    while (!m_incoming.empty())
        removeIncoming(m_incoming.front().get());
}

void PeerLink::ServerSocket1ClientRead(const std::shared_ptr<Incoming> &incoming)
{
    // A handler that lets events run may come back here for the same
    // connection; the loop below, further up the stack, goes on with it.
    if (incoming->draining)
        return;
    incoming->draining = true;
    PacketFields fields;
    while (!m_held && !incoming->closed && m_handler) {
        const char type = incoming->reader.next(fields);
        if (type == kNoPacket) {
            if (!incoming->socket)
                break;
            const QByteArray bytes = incoming->socket->read(kReadChunk);
            if (bytes.isEmpty())
                break;
            incoming->reader.append(bytes);
            continue;
        }
        m_handler->handlePacket(type, fields, incoming->info);
    }
    incoming->draining = false;
}

void PeerLink::readAllIncoming()
{
    // Copies: a handler may remove connections while this runs.
    const auto connections = m_incoming;
    for (const auto &in : connections)
        ServerSocket1ClientRead(in);
}

void PeerLink::resumePackets()
{
    m_held = false;
    QTimer::singleShot(0, this, &PeerLink::readAllIncoming);
}

void PeerLink::connectToPeer(const QString &address, const QString &hostName, int port)
{
    closeClient();
    ClientSocket1 = new QTcpSocket(this);
    ClientSocket1->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_clientHostName = hostName;
    connect(ClientSocket1, &QTcpSocket::connected, this, &PeerLink::onClientConnected);
    // Queued: a connect that fails at once (no route) must not report from
    // inside connectToPeer(). An error of a socket given up since is stale.
    connect(
        ClientSocket1, &QTcpSocket::errorOccurred, this,
        [this, client = QPointer<QTcpSocket>(ClientSocket1)](QAbstractSocket::SocketError error) {
            if (client && client == ClientSocket1)
                onClientError(error);
        },
        Qt::QueuedConnection);
    const QString target = hostName.isEmpty() ? address : hostName;
    const bool anyAddress =
        m_localAddress == QHostAddress::Any || m_localAddress == QHostAddress::AnyIPv4;
    if (!IsTcpPort(port) || target.isEmpty() ||
        (!anyAddress && !ClientSocket1->bind(m_localAddress, 0))) {
        // Reported like any failed attempt: later, from the event loop.
        QTimer::singleShot(0, this, [this, client = QPointer<QTcpSocket>(ClientSocket1)] {
            if (client && client == ClientSocket1)
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
    if (hostName.isEmpty() || given.isNull()) {
        ClientSocket1->connectToHost(target, static_cast<quint16>(port), QIODevice::ReadWrite,
                                     family);
        return;
    }
    // A name and an address: the name is looked up and used, but where it
    // names the given address too, that address is the one connected to. A
    // connection back names the peer by the address it came from and the
    // name found for it; a name with addresses of both families must not
    // lead to the peer's other address, which the peer would not know as
    // ours.
    QHostInfo::lookupHost(hostName, this,
                          [this, client = QPointer<QTcpSocket>(ClientSocket1), given, hostName,
                           port, family](const QHostInfo &info) {
                              if (!client || client != ClientSocket1)
                                  return;
                              for (const QHostAddress &found : info.addresses())
                                  if (unmappedAddress(found) == given) {
                                      client->connectToHost(given, static_cast<quint16>(port));
                                      return;
                                  }
                              client->connectToHost(hostName, static_cast<quint16>(port),
                                                    QIODevice::ReadWrite, family);
                          });
}

void PeerLink::closeClient()
{
    if (!ClientSocket1)
        return;
    ClientSocket1->disconnect(this);
    ClientSocket1->abort();
    ClientSocket1->deleteLater();
    ClientSocket1 = nullptr;
    m_clientHostName.clear();
}

bool PeerLink::isClientActive() const
{
    return ClientSocket1 && ClientSocket1->state() == QAbstractSocket::ConnectedState;
}

QHostAddress PeerLink::clientRemoteAddress() const
{
    return isClientActive() ? unmappedAddress(ClientSocket1->peerAddress()) : QHostAddress();
}

bool PeerLink::PeerConnected() const
{
    return isClientActive() && ServerSocket1->isListening() && !m_incoming.empty() &&
           m_incoming.front()->info.remoteAddress == clientRemoteAddress();
}

void PeerLink::write(const QByteArray &bytes)
{
    if (!isClientActive())
        return;
    if (ClientSocket1->bytesToWrite() + bytes.size() > kWriteBacklogLimit) {
        closeClient();
        emit socketError();
        return;
    }
    ClientSocket1->write(bytes);
    ClientSocket1->flush(); // hand it to the system now, not at the next event
}

void PeerLink::onClientConnected()
{
    const QHostAddress remote = clientRemoteAddress();
    QHostInfo::lookupHost(
        remote.toString(), this,
        [this, client = QPointer<QTcpSocket>(ClientSocket1), remote](const QHostInfo &info) {
            const QString name = FoundName(info, remote);
            if (name.isEmpty() || !client || client != ClientSocket1 || !isClientActive())
                return;
            m_clientHostName = name;
            emit clientHostNameFound(name);
        });
    emit clientConnected();
}

void PeerLink::onClientError(QAbstractSocket::SocketError error)
{
    // An orderly close by the peer only ends the connection.
    if (error == QAbstractSocket::RemoteHostClosedError)
        return;
    emit socketError();
}

} // namespace tw
