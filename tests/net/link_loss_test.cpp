// SPDX-License-Identifier: GPL-3.0-or-later
// The link says when it drops: whoever waits on it (the wait for an answer to
// an invitation) learns it once, without looking at the link again and again.
#include "netplay_fixture.h"

#include <gtest/gtest.h>
#include <memory>

using namespace tw;
using namespace tw::test;

namespace {

struct Linked
{
    int port = freePort();
    Side a{QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), port, 11};
    Side b{QStringLiteral("Bob"), QStringLiteral("127.0.0.2"), port, 22};
    int lostA = 0;

    Linked()
    {
        QObject::connect(&a.play.link(), &PeerLink::peerLost, [this] { ++lostA; });
    }
};

// Each way the link ends, from either side, is told exactly once, and only
// once it has ended.
TEST(LinkLossTest, EveryWayTheLinkEndsIsToldOnce)
{
    const struct
    {
        const char *how;
        void (*end)(Linked &);
    } cases[] = {
        {"the peer closes its connection", [](Linked &l) { l.b.play.link().closeClient(); }},
        {"the peer goes away",
         [](Linked &l) { l.b.play.link().listen(0), l.b.play.link().closeClient(); }},
        {"this side closes its connection", [](Linked &l) { l.a.play.link().closeClient(); }},
        {"this side listens elsewhere", [](Linked &l) { l.a.play.link().listen(l.port + 1); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.how);
        Linked l;
        ASSERT_TRUE(link(l.a, l.b));
        EXPECT_EQ(l.lostA, 0);
        c.end(l);
        ASSERT_TRUE(waitFor([&] { return !l.a.play.peerConnected(); }));
        ASSERT_TRUE(waitFor([&] { return l.lostA == 1; }));
        settle();
        EXPECT_EQ(l.lostA, 1);
    }
}

// A stranger that comes and goes is no loss of the link.
TEST(LinkLossTest, AStrangerLeavingIsNoLoss)
{
    Linked l;
    ASSERT_TRUE(link(l.a, l.b));
    QTcpSocket stranger;
    stranger.bind(QHostAddress(QStringLiteral("127.0.0.3")), 0);
    stranger.connectToHost(QHostAddress(l.a.address), static_cast<quint16>(l.port));
    ASSERT_TRUE(stranger.waitForConnected(3000));
    ASSERT_TRUE(waitFor([&] { return l.a.play.link().incomingCount() == 2; }));
    stranger.close();
    ASSERT_TRUE(waitFor([&] { return l.a.play.link().incomingCount() == 1; }));
    settle();
    EXPECT_EQ(l.lostA, 0);
    EXPECT_TRUE(l.a.play.peerConnected());
}

} // namespace
