// SPDX-License-Identifier: GPL-3.0-or-later
// What a hostile or careless peer may send: bad invitations, shots out of
// turn or place, floods and split packets, and answers that come together
// with the next packet or not at all.
#include "common/gamestateaccess.h"
#include "netplay_test.h"

using namespace tw;
using namespace tw::test;

namespace {

// A peer that is linked to a byte by byte.
class HostilePeerTest : public NetPlayTest
{
protected:
    RawPeer eve{QStringLiteral("127.0.0.2"), port};

    void SetUp() override { ASSERT_TRUE(linkRawPeer(a, eve, port)); }

    QByteArray legalFleet() { return randomFleet(b.random); }

    // Puts a in a running match against Eve's legal fleet, with the turn as given.
    void startMatch(bool aFiresFirst)
    {
        eveBoard = legalFleet();
        eve.sendPacket(
            makeAreaData(QStringLiteral("Eve"), 10, QString::fromLatin1(eveBoard), true, '1'));
        a.windows.answers = {true};
        ASSERT_TRUE(waitFor([&] { return matchOf(a.game).gameInProgress; }));
        matchOf(a.game).playerTurn = aFiresFirst;
    }

    QByteArray eveBoard;
};

TEST_F(HostilePeerTest, BadInvitationsAreAnsweredNoWithoutAQuestion)
{
    const QByteArray legal = legalFleet();
    QByteArray shortBoard = legal.left(224);
    QByteArray lowLetter = legal;
    lowLetter[17] = '@';
    QByteArray tooManyShips = legal;
    for (qsizetype i = 0; i < tooManyShips.size(); ++i)
        if (tooManyShips[i] == 'C' && i % 15 < 10 && i / 15 < 10) {
            tooManyShips[i] = 'B'; // water to ship, somewhere inside the area
            break;
        }
    QByteArray outsideArea = legal;
    outsideArea[14] = 'B'; // row O of column 1, outside a 10 by 10 area
    QByteArray hitCells = legal;
    hitCells.replace('B', 'E'); // an armed board, not a placement

    struct Case
    {
        const char *why;
        QByteArray size;
        QByteArray board;
    };
    const Case cases[] = {
        {"size not decimal", "1O", legal},       {"size with sign", "+10", legal},
        {"size differs", "12", legal},           {"board too short", "10", shortBoard},
        {"board too long", "10", legal + "C"},   {"letter below A", "10", lowLetter},
        {"extra ship cell", "10", tooManyShips}, {"ship outside the area", "10", outsideArea},
        {"cells already hit", "10", hitCells},
    };
    int replies = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        eve.send("TWKBEGP3|P|Eve|" + c.size + '|' + c.board + "|Y|1|TWKENDP|");
        ++replies;
        ASSERT_TRUE(waitFor([&] { return eve.count('P') == replies; }));
        const PacketFields &reply = *eve.last('P');
        EXPECT_EQ(reply.payload(1), "Ann");
        EXPECT_EQ(reply.payload(3),
                  boardText(a.game.boards().ownBoard)); // the refusing side's board
        EXPECT_EQ(reply.payload(4), "N");
        EXPECT_EQ(reply.payload(5), "1");
    }
    EXPECT_TRUE(a.windows.asked.isEmpty());
    EXPECT_EQ(a.game.boards().opponentBoard, Board{});

    // A good one is asked about; No sends the start digit back unchanged.
    eve.sendPacket(makeAreaData(QStringLiteral("Eve"), 10, QString::fromLatin1(legal), true, '7'));
    ASSERT_TRUE(waitFor([&] { return eve.count('P') == replies + 1; }));
    EXPECT_EQ(a.windows.asked.size(), 1);
    EXPECT_EQ(eve.last('P')->payload(5), "7");
}

TEST_F(HostilePeerTest, ShotsOutOfTurnOrPlaceNeverChangeTheBoard)
{
    startMatch(true);
    const Board before = a.game.boards().ownBoard;
    eve.sendPacket(makeShotData(0, 0)); // a's own turn
    settle();
    EXPECT_EQ(a.game.boards().ownBoard, before);

    matchOf(a.game).playerTurn = false;
    for (const QByteArray &bad :
         {QByteArray("TWKBEGP3|S|10|0|TWKENDP|"), QByteArray("TWKBEGP3|S|0|99999999999|TWKENDP|"),
          QByteArray("TWKBEGP3|S|-1|0|TWKENDP|"), QByteArray("TWKBEGP3|S|0x1|0|TWKENDP|"),
          QByteArray("TWKBEGP3|S| 1|0|TWKENDP|"), QByteArray("TWKBEGP3|S|1|TWKENDP|"),
          QByteArray("TWKBEGP3|S|1|2|3|TWKENDP|")})
        eve.send(bad);
    settle();
    EXPECT_EQ(a.game.boards().ownBoard, before);
    EXPECT_FALSE(matchOf(a.game).playerTurn);

    // A ship cell hit, then shot at again: it stays a ship, never water.
    int ship = -1;
    for (int i = 0; i < 100 && ship < 0; ++i)
        if (before.at(i / 10 + 1, i % 10 + 1) == CellIntact)
            ship = i;
    ASSERT_GE(ship, 0);
    const int x = ship / 10 + 1, y = ship % 10 + 1;
    eve.sendPacket(makeShotData(x - 1, y - 1));
    ASSERT_TRUE(waitFor([&] { return a.game.boards().ownBoard.at(x, y) != CellIntact; }));
    const Board afterHit = a.game.boards().ownBoard;
    eve.sendPacket(makeShotData(x - 1, y - 1));
    settle();
    EXPECT_EQ(a.game.boards().ownBoard, afterHit);

    // Aim markers only inside the area.
    eve.send("TWKBEGP3|T|10|3|TWKENDP|TWKBEGP3|T|3|x|TWKENDP|TWKBEGP3|T|4|9|TWKENDP|");
    ASSERT_TRUE(waitFor([&] { return !a.windows.aims.empty(); }));
    settle(50);
    EXPECT_EQ(a.windows.aims, (std::vector<std::pair<int, int>>{{4, 9}}));
}

TEST_F(HostilePeerTest, GarbageFloodsAndSplitPacketsNeitherCrashNorGrow)
{
    QByteArray garbage(200 * 1024, 'x');
    for (qsizetype i = 0; i < garbage.size(); i += 97)
        garbage[i] = '|';
    eve.send(garbage);
    // A packet in progress that never ends, far past the reader's limit.
    eve.send("TWKBEGP3|M|Eve|" + QByteArray(300 * 1024, 'y'));
    eve.send("|TWKENDP|");
    // Then a chat packet one byte per write.
    const QByteArray packet =
        makeChatMessage(QStringLiteral("Eve"), QStringLiteral("whole")) + "|TWKENDP|";
    for (const char c : packet) {
        eve.send(QByteArray(1, c));
        QTest::qWait(1);
    }
    ASSERT_TRUE(waitFor([&] { return a.windows.chatLines.contains("<Eve> whole"); }));
    EXPECT_EQ(a.windows.chatLines.size(), 1);
    EXPECT_TRUE(a.play.peerConnected());
}

// The answer to a's invitation and the peer's first shot, in one write: the
// match begins at the answer, so the shot that follows it counts.
TEST_F(HostilePeerTest, AcceptAndFirstShotInOneWriteBothCount)
{
    EXPECT_FALSE(a.match.begin()); // the invitation leaves; Start returns
    ASSERT_TRUE(waitFor([&] { return eve.count('P') == 1; }));
    EXPECT_TRUE(a.windows.waiting);
    const Board before = a.game.boards().ownBoard;
    eve.send(makeAreaData(QStringLiteral("Eve"), 10, QString::fromLatin1(legalFleet()), true, '1') +
             "|TWKENDP|" + makeShotData(3, 4) + "|TWKENDP|");
    ASSERT_TRUE(waitFor([&] { return matchOf(a.game).gameInProgress; }));
    EXPECT_FALSE(a.windows.waiting);
    ASSERT_TRUE(waitFor([&] { return a.game.boards().ownBoard.at(4, 5) != before.at(4, 5); }));
    EXPECT_EQ(matchOf(a.game).opponentName, QStringLiteral("Eve"));
}

// The peer goes away while a waits for its answer: the wait ends as a
// refusal that needs no box.
TEST_F(HostilePeerTest, LinkLostWhileWaitingEndsTheWait)
{
    bool answered = true;
    QObject::connect(&a.play, &NetPlay::inviteAnswered, [&](bool yes) { answered = yes; });
    EXPECT_FALSE(a.match.begin());
    ASSERT_TRUE(waitFor([&] { return eve.count('P') == 1; }));
    eve.out.close();
    eve.server.close();
    for (QTcpSocket *socket : eve.accepted)
        socket->close();
    ASSERT_TRUE(waitFor([&] { return !a.windows.waiting; }));
    EXPECT_FALSE(answered);
    EXPECT_EQ(a.play.agreement().phase(), AgreementPhase::None);
    EXPECT_FALSE(matchOf(a.game).gameInProgress);
    EXPECT_TRUE(a.windows.refusals.isEmpty());
    EXPECT_TRUE(pressStart(a)) << "a computer match once the peer is gone";
}

} // namespace
