// SPDX-License-Identifier: GPL-3.0-or-later
// Strangers on the open game port. Once the port is reachable from outside,
// scanners and strangers connect to it while two programs are linked, and
// some of them speak the protocol. Whatever they send, the peer must hear
// nothing of it, and the link and what goes over it must carry on as if
// they were not there.
#include "netplay_test.h"

#include <QTimer>
#include <map>

using namespace tw;
using namespace tw::test;

namespace {

// Stands in as a side's dispatcher: counts the packets handed to it by type,
// apart for the given address and for everyone else, and hands them on.
class PacketCount : public PacketHandler
{
public:
    PacketCount(Side &side, const QString &peerAddress) : m_side(side), m_peer(peerAddress)
    {
        side.play.link().setHandler(this);
    }
    ~PacketCount() override { m_side.play.link().setHandler(&m_side.play); }
    PacketCount(const PacketCount &) = delete;
    PacketCount &operator=(const PacketCount &) = delete;

    void handlePacket(char type, const PacketFields &fields,
                      const IncomingConnection &from) override
    {
        ++(from.remoteAddress == m_peer ? fromPeer : fromOthers)[type];
        m_side.play.handlePacket(type, fields, from);
    }

    std::map<char, int> fromPeer;
    std::map<char, int> fromOthers;

private:
    Side &m_side;
    QHostAddress m_peer;
};

// What one stranger does once connected.
struct Visit
{
    const char *what;
    QByteArray bytes; // sent in one write, then the connection is closed
    bool reset;       // closed with a reset rather than in order
};

std::vector<Visit> visits()
{
    const QString name = QStringLiteral("Mallory");
    const auto packet = [](const QByteArray &body) { return body + "|TWKENDP|"; };
    Random random(7);
    QByteArray junk(3000, '\0');
    for (qsizetype i = 0; i < junk.size(); ++i)
        junk[i] = static_cast<char>(random.randInt(256));
    return {
        {"closes at once", {}, false},
        {"resets at once", {}, true},
        {"junk", junk, false},
        {"junk, then a reset", junk, true},
        {"connection invite", packet(makeConnectionInvite(name, 10)), false},
        {"connection invite, other size", packet(makeConnectionInvite(name, 12)), false},
        {"user info", packet(makeUserInfoChange(name, 10)), false},
        {"chat", packet(makeChatMessage(name, QStringLiteral("psst"))), false},
        {"invitation", packet(makeInvitation(name, 10, QString::fromLatin1(randomFleet(random)))),
         false},
        {"shot", packet(makeShotData(0, 0)), false},
        {"aim", packet(makeTargetCoords(1, 1)), false},
        {"game aborted", packet(makeGameAborted(name, 10)), false},
        {"all of them in one write",
         packet(makeConnectionInvite(name, 10)) + packet(makeUserInfoChange(name, 10)) +
             packet(makeChatMessage(name, QStringLiteral("psst"))) + packet(makeShotData(1, 1)),
         false},
        {"a packet that never ends", "TWKBEGP3|C|Mallory|10", false},
    };
}

// Strangers connecting to one side from third addresses, at most inFlight at
// a time, each doing the next visit of the list, until total have come and
// gone. Driven by the event loop, so it goes on while a test waits for
// something else.
class Crowd : public QObject
{
public:
    Crowd(const QString &target, int port, int total, int inFlight)
        : m_target(target), m_port(static_cast<quint16>(port)), m_total(total), m_inFlight(inFlight)
    {
        launch();
    }

    bool gone() const { return m_finished == m_total; }

private:
    void launch()
    {
        while (m_started < m_total && m_started - m_finished < m_inFlight) {
            const Visit &visit = m_visits[static_cast<std::size_t>(m_started) % m_visits.size()];
            const QHostAddress from(QStringLiteral("127.0.0.%1").arg(3 + m_started % 5));
            ++m_started;
            auto *socket = new QTcpSocket(this);
            socket->bind(from, 0);
            connect(socket, &QTcpSocket::connected, socket, [socket, visit] {
                socket->write(visit.bytes);
                // Not from inside the socket's own signal.
                QTimer::singleShot(0, socket, [socket, reset = visit.reset] {
                    if (reset)
                        socket->abort();
                    else
                        socket->disconnectFromHost();
                });
            });
            connect(socket, &QTcpSocket::stateChanged, this,
                    [this, socket](QAbstractSocket::SocketState state) {
                        if (state != QAbstractSocket::UnconnectedState)
                            return;
                        socket->disconnect(this);
                        socket->deleteLater();
                        ++m_finished;
                        launch();
                    });
            socket->connectToHost(QHostAddress(m_target), m_port);
        }
    }

    const std::vector<Visit> m_visits = visits();
    QString m_target;
    quint16 m_port;
    int m_total;
    int m_inFlight;
    int m_started = 0;
    int m_finished = 0;
};

class StrangerTest : public NetPlayTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(link(a, b));
        // What the link's making sent is all in before counting begins.
        ASSERT_NO_FATAL_FAILURE(chat(a, b, QStringLiteral("ready")));
        atA.fromPeer.clear();
        atB.fromPeer.clear();
    }

    // A chat line from one side to the other, waited for. The connection
    // keeps order, so everything the side sent before has arrived too.
    void chat(Side &from, Side &to, const QString &text)
    {
        from.windows.typedChat = text;
        from.play.chatSend();
        const QString line = u'<' + from.game.settings().playerName + QStringLiteral("> ") + text;
        ASSERT_TRUE(waitFor([&] { return to.windows.chatLines.contains(line); }))
            << text.toStdString();
    }

    // Lets a crowd of strangers at a, and waits until all have gone.
    void crowdAtA(int total, int inFlight, const std::function<void()> &meanwhile)
    {
        Crowd crowd(a.address, port, total, inFlight);
        meanwhile();
        ASSERT_TRUE(waitFor([&] { return crowd.gone(); }, 60000));
    }

    PacketCount atA{a, b.address};
    PacketCount atB{b, a.address};
};

TEST_F(StrangerTest, StrangersWhileIdleAreNeverHeardOfByThePeer)
{
    // One at a time, a gets to read what each sends; in a burst it holds
    // only so many and drops the rest unread.
    struct Round
    {
        const char *what;
        int total;
        int inFlight;
    };
    const Round rounds[] = {{"one at a time", 140, 1}, {"a burst", 600, 40}};
    QStringList sentByA, sentByB;
    for (const Round &round : rounds) {
        SCOPED_TRACE(round.what);
        // The peers chat back and forth while the crowd comes and goes.
        ASSERT_NO_FATAL_FAILURE(crowdAtA(round.total, round.inFlight, [&] {
            for (int i = 0; i < 10; ++i) {
                sentByA << QStringLiteral("a%1").arg(sentByA.size());
                sentByB << QStringLiteral("b%1").arg(sentByB.size());
                ASSERT_NO_FATAL_FAILURE(chat(a, b, sentByA.last()));
                ASSERT_NO_FATAL_FAILURE(chat(b, a, sentByB.last()));
            }
        }));
    }
    // The strangers' packets did reach a's dispatcher, yet only the peer
    // names the opponent.
    for (const char type : {PacketType::ConnectionInvite, PacketType::UserInfoChange,
                            PacketType::ChatMsg, PacketType::AreaData})
        EXPECT_GT(atA.fromOthers[type], 0) << type;
    EXPECT_TRUE(a.windows.statuses.filter(QStringLiteral("Mallory")).isEmpty())
        << a.windows.statuses.filter(QStringLiteral("Mallory")).first().toStdString();

    ASSERT_NO_FATAL_FAILURE(chat(a, b, QStringLiteral("done")));
    sentByA << QStringLiteral("done");
    // b heard a's chat and nothing else, in order; a heard b's.
    EXPECT_EQ(atB.fromPeer, (std::map<char, int>{{PacketType::ChatMsg, sentByA.size()}}));
    EXPECT_TRUE(atB.fromOthers.empty());
    EXPECT_EQ(atA.fromPeer, (std::map<char, int>{{PacketType::ChatMsg, sentByB.size()}}));
    const QStringList heard = b.windows.chatLines.filter(QStringLiteral("<Ann> ")).mid(1);
    EXPECT_EQ(heard.join(u' ').toStdString(),
              (QStringLiteral("<Ann> ") + sentByA.join(QStringLiteral(" <Ann> "))).toStdString());

    EXPECT_TRUE(a.play.peerConnected());
    EXPECT_TRUE(b.play.peerConnected());
    EXPECT_EQ(a.windows.address, b.address); // never connected to a stranger
    EXPECT_LE(a.play.link().incomingCount(), PeerLink::kMaxIncoming);
    EXPECT_TRUE(a.windows.asked.isEmpty());
}

TEST_F(StrangerTest, StrangersDuringAMatchLeaveItToThePeers)
{
    ASSERT_NO_FATAL_FAILURE(agreeMatch());
    ASSERT_NO_FATAL_FAILURE(chat(a, b, QStringLiteral("match on")));
    atB.fromPeer.clear();
    int shotsByA = 0;
    QObject::connect(&a.play, &NetPlay::shotSent, [&] { ++shotsByA; });

    ASSERT_NO_FATAL_FAILURE(crowdAtA(600, 4, [&] { playToTheEnd(); }));
    EXPECT_GT(atA.fromOthers[PacketType::ShotData], 0);
    EXPECT_FALSE(a.game.match().gameInProgress);
    EXPECT_FALSE(b.game.match().gameInProgress);
    EXPECT_EQ(wins(a) + wins(b), 1);
    EXPECT_TRUE(a.windows.aims.empty());
    EXPECT_TRUE(a.windows.aborts.isEmpty());

    ASSERT_NO_FATAL_FAILURE(chat(a, b, QStringLiteral("good game")));
    EXPECT_EQ(atB.fromPeer,
              (std::map<char, int>{{PacketType::ShotData, shotsByA}, {PacketType::ChatMsg, 1}}));
    EXPECT_TRUE(a.play.peerConnected());
    EXPECT_TRUE(b.play.peerConnected());
}

} // namespace
