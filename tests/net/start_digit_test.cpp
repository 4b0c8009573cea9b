// SPDX-License-Identifier: GPL-3.0-or-later
// Who fires first. Against a peer that knows only the plain protocol (it
// invites with "1", answers with a random start digit and reads only whether
// a start field is exactly "0"), every answering start digit is obeyed, and
// when the two invitations cross this program fires first, since the plain
// peer then waits; two of these programs whose invitations cross settle it
// by the toss. Either way exactly one side fires first.
#include "common/gamestateaccess.h"
#include "netplay_fixture.h"

#include <gtest/gtest.h>

using namespace tw;
using namespace tw::test;

namespace {

class StartDigitTest : public ::testing::Test
{
protected:
    int port = freePort();
    Side a{QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), port, 11};
    // The plain peer, byte by byte; its fleets come from here.
    RawPeer eve{QStringLiteral("127.0.0.2"), port};
    Random eveRandom{99};

    void SetUp() override { ASSERT_TRUE(linkRawPeer(a, eve, port)); }

    QString eveFleet() { return QString::fromLatin1(randomFleet(eveRandom)); }

    // What a plain peer concludes from a start field it received while
    // waiting for its own answer.
    static bool plainPeerFiresFirst(const QByteArray &startField) { return startField == "0"; }

    void nextMatch()
    {
        a.match.finish();
        a.placeFleet();
    }
};

TEST_F(StartDigitTest, AnsweringStartDigitIsAlwaysObeyed)
{
    int aFirst = 0;
    constexpr int kMatches = 40;
    for (int round = 1; round <= kMatches; ++round) {
        SCOPED_TRACE(round);
        const char d = eveRandom.randInt(2) == 1 ? '1' : '0';
        // Eve answers the invitation as soon as it has arrived.
        a.windows.whileWaiting = [&] {
            ASSERT_TRUE(waitFor([&] { return eve.count('P') == round; }));
            eve.sendPacket(makeAreaData(QStringLiteral("Eve"), 10, eveFleet(), true, d));
        };
        ASSERT_TRUE(pressStart(a));
        // A plain peer reads the invitation's start field as "1".
        const PacketFields &invitation = *eve.last('P');
        EXPECT_EQ(invitation.payload(4), "Y");
        EXPECT_EQ(invitation.payload(5).front(), '1');
        EXPECT_FALSE(plainPeerFiresFirst(invitation.payload(5)));
        // "1": Eve fires first; "0": Ann does.
        EXPECT_EQ(matchOf(a.game).playerTurn, d == '0');
        aFirst += matchOf(a.game).playerTurn;
        nextMatch();
    }
    EXPECT_GT(aFirst, 0);
    EXPECT_LT(aFirst, kMatches);
}

TEST_F(StartDigitTest, AcceptingReplyDrawsAStartDigitAndKeepsIt)
{
    int aFirst = 0;
    constexpr int kMatches = 40;
    for (int round = 1; round <= kMatches; ++round) {
        SCOPED_TRACE(round);
        eve.sendPacket(makeAreaData(QStringLiteral("Eve"), 10, eveFleet(), true, '1'));
        a.windows.answers = {true};
        ASSERT_TRUE(
            waitFor([&] { return matchOf(a.game).gameInProgress && eve.count('P') == round; }));
        const QByteArray d = eve.last('P')->payload(5);
        ASSERT_TRUE(d == "0" || d == "1") << d.constData();
        // "1": the replying side, Ann, fires first.
        EXPECT_EQ(matchOf(a.game).playerTurn, d == "1");
        aFirst += matchOf(a.game).playerTurn;
        nextMatch();
    }
    // Drawn at random, not the same every time.
    EXPECT_GT(aFirst, kMatches / 5);
    EXPECT_LT(aFirst, kMatches * 4 / 5);
}

TEST_F(StartDigitTest, CrossingWithAPlainPeerGivesAnnTheFirstShot)
{
    // Eve invites at the moment Ann does: her invitation is on its way before
    // Ann's leaves, and each takes the other's invitation for the answer.
    // Ann's "1T" reads as "not 0" to Eve, so Eve waits for Ann's shot; Ann,
    // seeing the crossing, fires first. Exactly one side fires.
    constexpr int kCrossings = 12;
    for (int round = 1; round <= kCrossings; ++round) {
        SCOPED_TRACE(round);
        eve.sendPacket(makeAreaData(QStringLiteral("Eve"), 10, eveFleet(), true, '1'));
        ASSERT_TRUE(pressStart(a));
        EXPECT_TRUE(a.windows.asked.isEmpty());
        EXPECT_TRUE(matchOf(a.game).playerTurn);
        ASSERT_TRUE(waitFor([&] { return eve.count('P') == round; }));
        EXPECT_FALSE(plainPeerFiresFirst(eve.last('P')->payload(5)));
        nextMatch();
    }

    // A refusal of Ann's invitation carries the "1" back, as it should.
    a.windows.whileWaiting = [&] {
        ASSERT_TRUE(waitFor([&] { return eve.count('P') == kCrossings + 1; }));
        const QByteArray start = eve.last('P')->payload(5);
        eve.sendPacket(makeAreaData(QStringLiteral("Eve"), 10, eveFleet(), false, start.front()));
    };
    EXPECT_FALSE(pressStart(a));
    EXPECT_FALSE(matchOf(a.game).gameInProgress);
}

// Two of these programs: accepted matches obey the drawn digit, crossings
// are tossed; in each exactly one side fires first, and not always the same.
TEST(StartDigitProgramsTest, ExactlyOneOfTwoProgramsFiresFirst)
{
    const int port = freePort();
    Side a{QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), port, 31};
    Side b{QStringLiteral("Bob"), QStringLiteral("127.0.0.2"), port, 32};
    ASSERT_TRUE(link(a, b));
    int aFirst = 0;
    constexpr int kMatches = 24;
    for (int round = 0; round < kMatches; ++round) {
        SCOPED_TRACE(round);
        const bool crossing = round % 2 == 1;
        if (crossing)
            a.windows.whileWaiting = [&] { EXPECT_TRUE(pressStart(b)); };
        else
            b.windows.answers = {true};
        ASSERT_TRUE(pressStart(a));
        ASSERT_TRUE(waitFor([&] { return matchOf(b.game).gameInProgress; }));
        EXPECT_NE(matchOf(a.game).playerTurn, matchOf(b.game).playerTurn);
        aFirst += matchOf(a.game).playerTurn;
        for (Side *side : {&a, &b}) {
            side->match.finish();
            side->placeFleet();
        }
    }
    EXPECT_GT(aFirst, 0);
    EXPECT_LT(aFirst, kMatches);
}

} // namespace
