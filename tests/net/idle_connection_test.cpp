// SPDX-License-Identifier: GPL-3.0-or-later
// Connections that say nothing: strangers holding the listening socket's
// places open, silent or trickling, must neither keep the real peer out nor
// stay for good; the peer's own connection may be quiet as long as it likes.
#include "netplay_fixture.h"

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

using namespace tw;
using namespace tw::test;

namespace {

using namespace std::chrono_literals;

class IdleConnectionTest : public ::testing::Test
{
protected:
    int port = freePort();
    Side a{QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), port, 11};
    Side b{QStringLiteral("Bob"), QStringLiteral("127.0.0.2"), port, 22};
    // Strangers come from a third machine.
    const QHostAddress stranger{QStringLiteral("127.0.0.3")};

    std::unique_ptr<QTcpSocket> connectStranger()
    {
        auto socket = std::make_unique<QTcpSocket>();
        socket->bind(stranger, 0);
        socket->connectToHost(QHostAddress(a.address), static_cast<quint16>(port));
        return socket;
    }
};

// With the usual 10 s limit: the silent connections are still held when the
// peer comes, and the link completes at once all the same.
TEST_F(IdleConnectionTest, SilentStrangersDoNotDelayTheLink)
{
    for (const int silent : {1, PeerLink::kMaxIncoming}) {
        SCOPED_TRACE(silent);
        a.play.link().listen(0); // drops every connection of the round before
        b.play.link().closeClient();
        a.play.link().closeClient();
        a.play.startServer();
        b.play.startServer();
        std::vector<std::unique_ptr<QTcpSocket>> idle;
        for (int i = 0; i < silent; ++i)
            idle.push_back(connectStranger());
        ASSERT_TRUE(waitFor([&] { return a.play.link().incomingCount() == silent; }));

        // Bob connects to Ann and sends his connection invite; Ann connects
        // back. The link must not wait for the strangers to time out.
        QElapsedTimer clock;
        clock.start();
        b.windows.address = a.address;
        b.play.connectToPeer();
        ASSERT_TRUE(
            waitFor([&] { return a.play.peerConnected() && b.play.peerConnected(); }, 3000));
        EXPECT_LT(clock.elapsed(), 1000);
        EXPECT_LE(a.play.link().incomingCount(), PeerLink::kMaxIncoming);

        // Bob invites: Ann is asked, not refused behind her back.
        a.windows.answers = {false};
        EXPECT_FALSE(pressStart(b));
        EXPECT_EQ(a.windows.asked.size(), 1);
        a.windows.asked.clear();
    }
}

TEST_F(IdleConnectionTest, CrowdsNeverLockThePeerOutAndStayCapped)
{
    ASSERT_TRUE(link(a, b));
    std::vector<std::unique_ptr<QTcpSocket>> crowd;
    for (int i = 0; i < 4 * PeerLink::kMaxIncoming; ++i)
        crowd.push_back(connectStranger());
    settle(300);
    EXPECT_LE(a.play.link().incomingCount(), PeerLink::kMaxIncoming);
    EXPECT_TRUE(a.play.peerConnected()); // the peer's connection was kept

    // Bob presses "Ок!" again: his new connection gets in past the crowd.
    b.play.connectToPeer();
    ASSERT_TRUE(waitFor([&] { return b.play.peerConnected() && a.play.peerConnected(); }));
    b.windows.answers = {false};
    EXPECT_FALSE(pressStart(a));
    EXPECT_EQ(b.windows.asked.size(), 1);
}

// With a short limit: who is closed, who stays.
TEST_F(IdleConnectionTest, QuietStrangersAreClosedAndThePeerStays)
{
    constexpr auto kLimit = 300ms;
    a.play.link().setIdleLimit(kLimit);
    b.play.link().setIdleLimit(kLimit);
    ASSERT_TRUE(link(a, b));
    const int linked = a.play.link().incomingCount();

    // Silent; sending a packet that never ends, a byte at a time; and a
    // stranger that spoke once and fell silent.
    auto silent = connectStranger();
    auto trickle = connectStranger();
    auto spoke = connectStranger();
    ASSERT_TRUE(waitFor([&] { return a.play.link().incomingCount() == linked + 3; }));
    QElapsedTimer clock;
    clock.start();
    spoke->write(makeConnectionInvite(QStringLiteral("Eve"), 10) + "|TWKENDP|");
    QTimer drip;
    const QByteArray never = "TWKBEGP3|M|Eve|" + QByteArray(1000, 'z');
    qsizetype dripped = 0;
    QObject::connect(&drip, &QTimer::timeout,
                     [&] { trickle->write(never.mid(dripped++ % never.size(), 1)); });
    drip.start(20);

    ASSERT_TRUE(waitFor([&] { return a.play.link().incomingCount() == linked; }, 5000));
    EXPECT_GE(clock.elapsed(), 200); // not before the limit
    drip.stop();
    for (QTcpSocket *s : {silent.get(), trickle.get(), spoke.get()})
        EXPECT_TRUE(waitFor([&] { return s->state() == QAbstractSocket::UnconnectedState; }));

    // The peers have been quiet for many limits and are still linked.
    settle(4 * static_cast<int>(kLimit.count()));
    EXPECT_TRUE(a.play.peerConnected());
    EXPECT_TRUE(b.play.peerConnected());
    a.windows.typedChat = QStringLiteral("still here");
    a.play.chatSend();
    EXPECT_TRUE(waitFor([&] { return b.windows.chatLines.contains("<Ann> still here"); }));
}

} // namespace
