// SPDX-License-Identifier: GPL-3.0-or-later
// One program listening on every address of both families: IPv6 literals and
// names link like IPv4 ones, and an IPv4 peer reaching the dual-stack socket
// is the same machine as the IPv4 address the outgoing socket connects to.
#include "netplay_fixture.h"

#include <gtest/gtest.h>
#include <memory>

using namespace tw;
using namespace tw::test;

namespace {

bool hasIPv6Loopback()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHostIPv6, 0);
}

// A program on any address; the tests reach it through loopback only.
class DualStackTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(port, 0);
        a.play.link().setLocalAddress(QHostAddress::Any);
        a.play.startServer();
        ASSERT_TRUE(a.play.link().isListening());
        if (!hasIPv6Loopback())
            GTEST_SKIP() << "no IPv6 loopback here";
    }

    int port = freePort();
    Side a{QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), port, 11};
};

TEST(UnmappedAddressTest, MappedAddressesBecomeTheirIPv4AddressOthersStay)
{
    const struct
    {
        const char *in, *out;
    } cases[] = {
        {"::ffff:10.77.0.2", "10.77.0.2"},
        {"::ffff:127.0.0.1", "127.0.0.1"},
        {"10.77.0.2", "10.77.0.2"},
        {"::1", "::1"},
        {"fd77::2", "fd77::2"},
        {"fe80::1%1", "fe80::1%1"},
    };
    for (const auto &c : cases) {
        const QHostAddress out = unmappedAddress(QHostAddress(QString::fromLatin1(c.in)));
        EXPECT_EQ(out.toString(), QString::fromLatin1(c.out)) << c.in;
        EXPECT_EQ(out, QHostAddress(QString::fromLatin1(c.out))) << c.in;
    }
}

// Another program on the port, on IPv4 alone, keeps the socket of any
// address from listening too; the link says why, and listens once the
// port is free.
TEST(ListenFailureTest, SaysWhyItCannotListenAndListensWhenThePortIsFree)
{
    using Failure = PeerLink::ListenFailure;
    PeerLink link;
    EXPECT_FALSE(link.listen(0));
    EXPECT_EQ(link.listenFailure(), Failure::NoTcpPort);
    EXPECT_FALSE(link.listen(70000));
    EXPECT_EQ(link.listenFailure(), Failure::NoTcpPort);

    auto holder = std::make_unique<QTcpServer>();
    ASSERT_TRUE(holder->listen(QHostAddress::AnyIPv4, 0));
    const int port = holder->serverPort();
    EXPECT_FALSE(link.listen(port));
    EXPECT_EQ(link.listenFailure(), Failure::InUse);
    EXPECT_EQ(link.listeningPort(), 0);

    holder.reset();
    EXPECT_TRUE(link.listen(port));
    EXPECT_EQ(link.listenFailure(), Failure::None);
    EXPECT_EQ(link.listeningPort(), port);
}

// Typed into the IP field, or the host field, each links the program to
// itself, as typing the own machine's address does; the IP field then shows
// the address as it was reached, never as a mapped one.
TEST_F(DualStackTest, ProgramLinksToItselfByIPv4AndIPv6LiteralAndName)
{
    const struct
    {
        const char *address, *host, *shown;
    } cases[] = {
        {"::1", "", "::1"},
        {"127.0.0.1", "", "127.0.0.1"},
        {"", "localhost", nullptr}, // either family, as the resolver orders them
        // A name wins over an address it does not name (localhost is IPv4
        // here; where it is both, ::1 is the one taken).
        {"::1", "localhost", nullptr},
    };
    for (const auto &c : cases) {
        a.play.disconnectFromPeer();
        ASSERT_TRUE(waitFor([&] { return a.play.link().incomingCount() == 0; })) << c.address;
        a.windows.statuses.clear();
        a.windows.address = QString::fromLatin1(c.address);
        a.windows.host = QString::fromLatin1(c.host);
        a.play.connectToPeer();
        ASSERT_TRUE(waitFor([&] {
            return a.play.peerConnected() &&
                   a.windows.sawStatus(QStringLiteral("Your opponent: Ann (area size: 10)"));
        })) << c.address
            << c.host << ": " << a.windows.statuses.join(u'/').toStdString();
        const QString shown = a.windows.address;
        if (c.shown) {
            EXPECT_EQ(shown, QString::fromLatin1(c.shown));
        }
        EXPECT_FALSE(shown.startsWith(QStringLiteral("::ffff:"))) << shown.toStdString();
        EXPECT_EQ(a.play.link().incoming(0).remoteAddress, a.play.link().clientRemoteAddress());
        EXPECT_EQ(a.windows.statuses.filter(QStringLiteral("connection error")).size(), 0);
    }
}

// Accepted connections are compared with the dialled address as the IPv4
// address they map: the connection back from 127.0.0.1 reaches the
// dual-stack socket as ::ffff:127.0.0.1 and still completes the link, and a
// stranger that came first, over either family, never keeps it out.
TEST_F(DualStackTest, AcceptedConnectionsCompareByUnmappedAddress)
{
    const struct
    {
        const char *stranger;
        bool linked;
    } cases[] = {
        {"127.0.0.1", true}, // reaches the dual-stack socket as ::ffff:127.0.0.1
        {"::1", true},
    };
    for (const auto &c : cases) {
        a.play.disconnectFromPeer();
        a.play.link().listen(0); // closes every accepted connection
        a.play.startServer();
        QTcpSocket stranger;
        stranger.connectToHost(QHostAddress(QString::fromLatin1(c.stranger)),
                               static_cast<quint16>(port));
        ASSERT_TRUE(stranger.waitForConnected(3000)) << c.stranger;
        ASSERT_TRUE(waitFor([&] { return a.play.link().incomingCount() == 1; })) << c.stranger;
        EXPECT_EQ(a.play.link().incoming(0).remoteAddress.toString(),
                  QString::fromLatin1(c.stranger));

        a.windows.address = QStringLiteral("127.0.0.1");
        a.windows.host.clear();
        a.play.connectToPeer();
        ASSERT_TRUE(waitFor([&] { return a.play.link().incomingCount() == 2; })) << c.stranger;
        settle();
        EXPECT_EQ(a.play.peerConnected(), c.linked) << c.stranger;
    }
}

} // namespace
