// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The link to a peer: two one-way TCP connections.
//
// Each program listens (the server socket) and receives every packet on the
// connections it accepts; it sends every packet through the one connection it
// opened itself (the client socket) to the peer's listening socket. So each
// connection carries packets one way only.
//
// Between two copies of this program, when only one side can be reached
// (the other sits behind a router that opens no port), the link runs both
// ways over the one connection that could be made: the side that accepted it
// writes back over it once it has given up connecting back (carryBothWays()),
// and the side that opened it reads from it. This side always reads its
// outgoing connection: a peer that never writes on the connections it
// accepts is simply never heard there. Both run on the thread that made
// the link, driven by its event loop; nothing here blocks, host name look-ups
// included.

#include "net/packet.h"

#include <QAbstractSocket>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <chrono>
#include <memory>
#include <vector>

class QTcpServer;
class QTcpSocket;

namespace tw {

// address itself, or the IPv4 address it maps when it is IPv4-mapped IPv6.
QHostAddress unmappedAddress(const QHostAddress &address);

// An accepted connection as the dispatcher sees it.
// Addresses here and from PeerLink are never IPv4-mapped IPv6 addresses: a
// dual-stack socket's ::ffff:a.b.c.d is given as a.b.c.d, so that one machine
// has one address whichever socket it reached us on.
struct IncomingConnection
{
    QHostAddress remoteAddress;
    QHostAddress localAddress;
    // Found by a reverse look-up started at the accept; empty until it has
    // answered, and when it found nothing.
    QString remoteHostName;
};

// Receives the packets of the accepted connections, each connection's in
// arrival order.
class PacketHandler
{
public:
    virtual ~PacketHandler() = default;
    virtual void handlePacket(char type, const PacketFields &fields,
                              const IncomingConnection &from) = 0;
};

class PeerLink : public QObject, public PacketSink
{
    Q_OBJECT
public:
    // Accepted connections held at once, so that nobody can make the program
    // hold memory without bound. A new connection beyond them is not turned
    // away: the one silent longest makes room for it, the peer's last.
    static constexpr int kMaxIncoming = 8;
    // A connection is closed when it has not delivered a whole packet within
    // this long of its accept, or of its last packet while it is not the
    // peer's (see isPeersConnection()). So a silent or trickling connection
    // never holds a place for long; the peer's may be quiet for any time.
    static constexpr std::chrono::milliseconds kDefaultIdleLimit{10'000};
    // Bytes waiting in one accepted socket before Qt stops reading from it
    // (TCP flow control then holds the sender back).
    static constexpr qint64 kReadBufferLimit = 64 * 1024;
    // Bytes the outgoing socket may hold unsent; a peer that stops reading is
    // dropped rather than buffered for without end.
    static constexpr qint64 kWriteBacklogLimit = 256 * 1024;

    explicit PeerLink(QObject *parent = nullptr);
    ~PeerLink() override;

    // Precondition: handler outlives the link, or is reset before it dies.
    void setHandler(PacketHandler *handler) { m_handler = handler; }

    // The local address that both sockets use; by default any address of
    // either family (one dual-stack socket, or IPv4 alone where the system has
    // no IPv6). Two programs on one machine each take one of their own
    // (tests).
    void setLocalAddress(const QHostAddress &address) { m_localAddress = address; }
    QHostAddress localAddress() const { return m_localAddress; }

    // For connections accepted from now on, and the next checks of those
    // held. Tests shorten it.
    void setIdleLimit(std::chrono::milliseconds limit) { m_idleLimit = limit; }

    // The listening socket.
    // Listens on port, closing the socket first when it listens on another
    // one (that also closes its accepted connections). Already listening on
    // port: nothing changes. False when it cannot listen: the port is no TCP
    // port (1 to 65535) or it is taken.
    bool listen(int port);
    bool isListening() const;
    int listeningPort() const; // 0 when not listening
    // Why the last listen() failed; None after one that succeeded.
    enum class ListenFailure
    {
        None,
        NoTcpPort,  // the port asked for is outside 1..65535
        InUse,      // another socket, most likely another program, holds it
        NotAllowed, // the system reserves it (below 1024)
        Other,
    };
    ListenFailure listenFailure() const { return m_listenFailure; }
    int incomingCount() const { return static_cast<int>(m_incoming.size()); }
    // The accepted connection at index, in the order of acceptance.
    // Precondition: 0 <= index < incomingCount().
    IncomingConnection incoming(int index) const;

    // The outgoing socket.
    // Drops the outgoing connection, or the attempt, if there is one, and
    // starts a new attempt: to hostName when it is not empty (looked up
    // first; when one of its addresses is address, to that one), else to
    // address. Ends in clientConnected() or socketError().
    void connectToPeer(const QString &address, const QString &hostName, int port);
    void closeClient();
    bool isClientActive() const; // connected
    // A connect of connectToPeer() is under way: its name looked up or its
    // address tried. attemptAddress() is the address tried, null during a
    // look-up or when no attempt is under way.
    bool isClientAttempting() const;
    QHostAddress attemptAddress() const;
    QHostAddress clientRemoteAddress() const;
    quint16 clientRemotePort() const; // 0 while not connected
    // The name given to connectToPeer(), until a reverse look-up of the
    // address has answered with one.
    QString clientRemoteHostName() const { return m_clientHostName; }

    // How the link runs, if it does.
    enum class Shape
    {
        None,
        TwoConnections, // each side writes on the connection it opened
        OursBothWays,   // the one connection is this side's outgoing one
        TheirsBothWays, // the one connection is one this side accepted
    };
    // Two connections: the client is connected, the server listens, and an
    // accepted connection comes from the address the client is connected to
    // (any one counts, so a stranger's connection accepted before the peer's
    // cannot keep the link from completing). One connection: ours has
    // delivered a packet from the peer, or the carrier is still open.
    Shape shape() const;
    bool peerConnected() const { return shape() != Shape::None; }
    // The machine the link goes to: the outgoing connection's, else the
    // carrier's; null when neither is open.
    QHostAddress peerAddress() const;
    // Writes back from now on over the newest connection accepted from
    // address that has delivered a packet (the carrier), while no outgoing
    // connection is up. False when there is none.
    bool carryBothWays(const QHostAddress &address);
    // Stops writing over the carrier; it stays open as an accepted
    // connection.
    void dropCarrier();

    // Marks, on every accepted connection, all that has reached this machine
    // so far, read or not. While a packet is handed to the handler,
    // deliveringMarked() then tells whether it lies within the mark: the
    // peer sent it before anything this side sends after the mark could have
    // reached it.
    void markReceived();
    bool deliveringMarked() const;

    // PacketSink: the outgoing connection, or the carrier.
    bool isActive() const override;
    void write(const QByteArray &bytes) override;

signals:
    // The outgoing connection is established.
    void clientConnected();
    // A connection failed: the outgoing one (attempt or established) or an
    // accepted one. A peer closing its end in order is no error.
    void socketError();
    // The outgoing attempt failed, or the established connection broke.
    void clientFailed();
    // The reverse look-up of the outgoing connection's address found a name.
    void clientHostNameFound(const QString &name);
    // peerConnected() just turned false: one of the link's sockets closed,
    // or the listening one moved. Never emitted while the link is destroyed.
    void peerLost();

private:
    struct Incoming;

    void acceptPending();
    // The connection comes from the machine the client is connected to, or
    // is the carrier.
    bool isPeersConnection(const Incoming &incoming) const;
    bool hasTwoConnections() const;
    std::shared_ptr<Incoming> carrier() const;
    // Makes room for one more accepted connection.
    void dropQuietest();
    void checkIdle(const std::shared_ptr<Incoming> &incoming);
    void removeIncoming(const Incoming *incoming);
    void closeIncoming();
    // The read event of an accepted connection: reads what arrived and hands
    // out its packets, in order, until none is whole.
    void readIncoming(const std::shared_ptr<Incoming> &incoming);
    void onClientConnected();
    void onClientError(QAbstractSocket::SocketError error);
    // Called wherever a socket of the link opens or closes: emits peerLost()
    // when the link just ended, so waiters need not poll peerConnected().
    void notePeerState();

    QTcpServer *m_server = nullptr; // listening
    QTcpSocket *m_client = nullptr; // outgoing; a new one for each attempt
    QString m_clientHostName;
    bool m_clientResolving = false;
    QHostAddress m_attemptAddress; // null while a name is looked up
    QHostAddress m_localAddress{QHostAddress::Any};
    std::vector<std::shared_ptr<Incoming>> m_incoming;
    const Incoming *m_delivering = nullptr; // while its packet is handled
    // What the peer writes back over the outgoing connection.
    std::shared_ptr<Incoming> m_clientChannel;
    std::weak_ptr<Incoming> m_carrier;
    PacketHandler *m_handler = nullptr;
    std::chrono::milliseconds m_idleLimit = kDefaultIdleLimit;
    bool m_peerWasConnected = false; // peerConnected() when last noted
    ListenFailure m_listenFailure = ListenFailure::None;
};

} // namespace tw
