// SPDX-License-Identifier: GPL-3.0-or-later
// Network play between real sockets on loopback, two or three "machines" in
// one process: linking, the dispatcher's rules, the chat, the match
// agreement and a whole match, and a third machine.
#include "netplay_test.h"

#include "common/gamestateaccess.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace tw;
using namespace tw::test;

namespace {

TEST_F(NetPlayTest, OneOkLinksBothSidesAndTheLampsFollowTheLink)
{
    ASSERT_NE(port, 0);
    ASSERT_TRUE(link(a, b));
    EXPECT_TRUE(a.windows.sawStatus(QStringLiteral("server init: Ok")));
    EXPECT_TRUE(a.windows.statuses.filter(QStringLiteral("connection established: ")).size() >= 1);
    EXPECT_TRUE(b.windows.statuses.filter(QStringLiteral("connection established: ")).size() >= 1);
    // b connected back with a's address and its own listening port.
    EXPECT_EQ(b.windows.address, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(b.windows.port, QString::number(port));
    EXPECT_TRUE(a.windows.connectEnabled);
    EXPECT_TRUE(b.windows.connectEnabled);
    EXPECT_TRUE(a.windows.sounds.contains(QStringLiteral("CONNECT")));

    a.play.showConnectionState();
    EXPECT_EQ(a.windows.lampLime, 1);
    EXPECT_EQ(a.windows.lampRed, 0);

    // "No!" on b: a's link is incomplete from then on.
    b.play.disconnectFromPeer();
    EXPECT_TRUE(b.windows.sounds.contains(QStringLiteral("wrong1")));
    ASSERT_TRUE(waitFor([&] { return !a.play.peerConnected(); }));
    a.play.showConnectionState();
    EXPECT_EQ(a.windows.lampRed, 1);
    EXPECT_EQ(a.windows.statuses.last(), QStringLiteral("no connection"));
}

// Two copies of the game on different ports: the address names the peer's,
// and the peer connects back to the port this side says it listens on.
TEST_F(NetPlayTest, AnAddressWithAPortLinksToAPeerListeningElsewhere)
{
    const int otherPort = freePort();
    ASSERT_NE(otherPort, 0);
    ASSERT_NE(otherPort, port);
    b.play.setServerPort(otherPort);
    b.windows.port = QString::number(otherPort);
    b.play.startServer();
    a.play.startServer();
    a.windows.address = b.address + u':' + QString::number(otherPort);
    a.windows.host.clear();
    a.play.connectToPeer();
    ASSERT_TRUE(waitFor([&] { return a.play.peerConnected() && b.play.peerConnected(); }));
    EXPECT_EQ(a.play.serverPort(), port) << "the port field stays this side's";
    EXPECT_EQ(b.windows.address, QStringLiteral("127.0.0.1:") + QString::number(port));
    EXPECT_EQ(b.windows.port, QString::number(otherPort));
}

// Ann cannot be reached (her router opens no port: here her return port
// leads nowhere), Bob can: the link runs both ways over Ann's connection,
// and each status line says which way; then a chat and a whole match.
TEST_F(NetPlayTest, OneReachableSideIsEnoughBetweenTwoCopies)
{
    const int nowhere = freePort();
    ASSERT_NE(nowhere, 0);
    a.play.connection().setReturnPort(static_cast<quint16>(nowhere));
    a.play.startServer();
    b.play.startServer();
    a.windows.address = b.address;
    a.play.connectToPeer();
    ASSERT_TRUE(waitFor([&] {
        return a.windows.sawStatus(
                   QStringLiteral("Your opponent: Bob (area size: 10) - one connection, ours")) &&
               b.windows.sawStatus(
                   QStringLiteral("Your opponent: Ann (area size: 10) - one connection, theirs"));
    })) << a.windows.statuses.join(u'|').toStdString()
        << " / " << b.windows.statuses.join(u'|').toStdString();
    EXPECT_EQ(a.play.link().shape(), PeerLink::Shape::OursBothWays);
    EXPECT_EQ(b.play.link().shape(), PeerLink::Shape::TheirsBothWays);
    EXPECT_FALSE(b.windows.sawStatus(QStringLiteral("connection error!")));
    EXPECT_EQ(b.play.link().incomingCount(), 1);
    EXPECT_EQ(a.play.link().incomingCount(), 0);

    for (Side *from : {&a, &b}) {
        Side &to = from == &a ? b : a;
        from->windows.typedChat = QStringLiteral("over one");
        from->play.chatSend();
        const QString line = u'<' + from->game.settings().playerName + QStringLiteral("> over one");
        ASSERT_TRUE(waitFor([&] { return to.windows.chatLines.contains(line); }));
    }
    ASSERT_NO_FATAL_FAILURE(agreeMatch());
    ASSERT_NO_FATAL_FAILURE(playToTheEnd());
    EXPECT_EQ(wins(a) + wins(b), 1);

    // Either end of the one connection ends the link on both sides.
    a.play.disconnectFromPeer();
    ASSERT_TRUE(waitFor([&] { return !a.play.peerConnected() && !b.play.peerConnected(); }));
}

// A peer that does not say where it listens is connected back to as always,
// and when that fails it is told so and never written to on its own
// connection.
TEST_F(NetPlayTest, APlainPeerThatCannotBeReachedIsNeverWrittenBack)
{
    const int nowhere = freePort();
    ASSERT_NE(nowhere, 0);
    RawPeer eve(QStringLiteral("127.0.0.3"), nowhere); // listens on a port a does not use
    a.play.startServer();
    ASSERT_TRUE(eve.connectTo(a.address, port));
    eve.sendPacket(makeConnectionInvite(QStringLiteral("Eve"), 10));
    ASSERT_TRUE(waitFor([&] { return a.windows.sawStatus(QStringLiteral("connection error!")); }));
    QTest::qWait(200);
    EXPECT_FALSE(a.play.peerConnected());
    EXPECT_EQ(a.play.link().shape(), PeerLink::Shape::None);
    EXPECT_EQ(eve.out.bytesAvailable(), 0);
}

TEST_F(NetPlayTest, StatusTextsInRussian)
{
    a.game.settings().englishUi = false;
    b.game.settings().englishUi = false;
    a.play.startServer();
    EXPECT_EQ(a.windows.statuses.last(), QStringLiteral("инициализация сервера: Ок"));
    a.play.showConnectionState();
    EXPECT_EQ(a.windows.statuses.last(), QStringLiteral("нет подключения"));

    a.windows.address = QStringLiteral("127.0.0.3"); // nobody listens there
    a.play.connectToPeer();
    ASSERT_TRUE(waitFor([&] { return a.windows.statuses.last() == "ошибка подключения!"; }));

    a.windows.port = QStringLiteral("70000");
    a.play.connectToPeer();
    EXPECT_EQ(a.windows.statuses.last(), QStringLiteral("Порт должен быть от 1 до 65535"));

    a.windows.port = QString::number(port);
    a.play.setServerPort(port);
    link(a, b); // its English texts are not shown here
    ASSERT_TRUE(waitFor([&] {
        return b.windows.sawStatus(QStringLiteral("Ваш супостат: Ann (поле: 10)")) &&
               a.windows.sawStatus(QStringLiteral("Ваш супостат: Bob (поле: 10)"));
    }));
    EXPECT_TRUE(b.windows.statuses.filter(QStringLiteral("успешное подключение: ")).size() >= 1);
}

TEST_F(NetPlayTest, BadConnectInputEndsInTheStatusLineWithOkEnabled)
{
    struct Case
    {
        const char *address;
        const char *host;
        QString port;
        const char *status;    // last status afterwards; nullptr: nothing shown
        const char *portAfter; // the port field afterwards
    };
    const QString p = QString::number(port);
    const Case cases[] = {
        {"127.0.0.2", "", QStringLiteral("abc"), nullptr, "abc"},
        {"127.0.0.2", "", QString(), nullptr, ""},
        {"127.0.0.2", "", QStringLiteral("nan"), nullptr, "nan"},
        {"", "", p, nullptr, nullptr},
        // A port outside 1..65535 is refused; the game listens on.
        {"127.0.0.2", "", QStringLiteral("70000"), "The port must be from 1 to 65535", "70000"},
        {"127.0.0.2", "", QStringLiteral("2147483648"), "The port must be from 1 to 65535",
         "2147483648"},
        {"127.0.0.2", "", QStringLiteral("-1"), "The port must be from 1 to 65535", "-1"},
        {"127.0.0.2", "", QStringLiteral("inf"), "The port must be from 1 to 65535", "inf"},
        {"127.0.0.2", "", QStringLiteral("0.4"), "The port must be from 1 to 65535", "0.4"},
        // What cannot be an address is refused before any attempt.
        {":0", "", p, "Not an address: :0", nullptr},
        {"127.0.0.2:0", "", p, "Not an address: 127.0.0.2:0", nullptr},
        {"127.0.0.2:65536", "", p, "Not an address: 127.0.0.2:65536", nullptr},
        {"[::1", "", p, "Not an address: [::1", nullptr},
        {"\xef\xbc\x91\xef\xbc\x92\xef\xbc\x97.0.0.1", "", p,
         "Not an address: \xef\xbc\x91\xef\xbc\x92\xef\xbc\x97.0.0.1", nullptr}, // fullwidth
        {"127.0.0.\xe2\x80\x8b"
         "2",
         "", p,
         "Not an address: 127.0.0.\xe2\x80\x8b"
         "2",
         nullptr},
        // Nobody listens on 127.0.0.3: refused at once.
        {"127.0.0.3", "", p, "connection error!", nullptr},
    };
    a.play.startServer();
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.address) + " port '" + c.port.toStdString() + "'");
        a.windows.statuses.clear();
        a.windows.address = QString::fromUtf8(c.address);
        a.windows.host = QString::fromLatin1(c.host);
        a.windows.port = c.port;
        a.play.connectToPeer();
        if (!c.status) {
            settle(50);
            EXPECT_TRUE(a.windows.statuses.isEmpty());
            EXPECT_TRUE(a.windows.connectEnabled);
            continue;
        }
        ASSERT_TRUE(waitFor([&] {
            return !a.windows.statuses.isEmpty() &&
                   a.windows.statuses.last() == QString::fromUtf8(c.status) &&
                   a.windows.connectEnabled;
        })) << a.windows.statuses.join(u'/').toStdString();
        EXPECT_EQ(a.windows.port, c.portAfter ? QString::fromLatin1(c.portAfter) : p);
        EXPECT_FALSE(a.play.link().isClientActive());
        EXPECT_FALSE(a.play.link().isClientAttempting());
        EXPECT_EQ(a.play.link().listeningPort(), port); // listening where it was
    }
    // A refusal stays until there is news; then the idle text comes back.
    a.windows.address = QStringLiteral(":0");
    a.windows.port = p;
    a.play.connectToPeer();
    a.play.showConnectionState();
    EXPECT_EQ(a.windows.statuses.last(), QStringLiteral("Not an address: :0"));
    a.windows.address = QString(10000, u'1');
    a.play.connectToPeer();
    EXPECT_EQ(a.windows.statuses.last(),
              QStringLiteral("Not an address: ") + QString(40, u'1') + QChar(0x2026));
    a.windows.address = QStringLiteral("127.0.0.3");
    a.play.connectToPeer();
    ASSERT_TRUE(
        waitFor([&] { return a.windows.statuses.last() == QStringLiteral("connection error!"); }));
    a.play.showConnectionState();
    EXPECT_EQ(a.windows.statuses.last(), QStringLiteral("no connection"));
    // A half rounds to the even neighbour: 8170.5 is 8170, 8171.5 is 8172.
    a.windows.address = QStringLiteral("127.0.0.3");
    for (const auto &[typed, stored] : {std::pair{"8170.5", "8170"}, std::pair{"8171.5", "8172"}}) {
        a.windows.port = QString::fromLatin1(typed);
        a.play.connectToPeer();
        EXPECT_EQ(a.windows.port, QString::fromLatin1(stored));
        EXPECT_EQ(a.play.serverPort(), QString::fromLatin1(stored).toInt());
    }
}

TEST_F(NetPlayTest, ChatGoesBothWaysAndEchoesWhatThePeerShows)
{
    a.windows.typedChat = QStringLiteral("before link");
    a.play.chatSend();
    EXPECT_EQ(a.windows.typedChat, QStringLiteral("before link")); // kept, nothing sent
    EXPECT_TRUE(a.windows.chatLines.isEmpty());

    ASSERT_TRUE(link(a, b));
    const std::pair<QString, QString> lines[] = {
        {QStringLiteral("a|b"), QStringLiteral("<Ann> a b")},
        {QStringLiteral("   "), QStringLiteral("<Ann>    ")},
        {QStringLiteral("Привет"), QStringLiteral("<Ann> Привет")},
        {QStringLiteral("x\u4e2dy"), QStringLiteral("<Ann> xy")}, // no Windows-1251 for 中
    };
    for (const auto &[typed, shown] : lines) {
        a.windows.typedChat = typed;
        a.play.chatSend();
        EXPECT_TRUE(a.windows.typedChat.isEmpty());
        EXPECT_EQ(a.windows.chatLines.last(), shown);
        ASSERT_TRUE(waitFor([&, &shown = shown] { return b.windows.chatLines.contains(shown); }));
    }
    b.windows.typedChat = QStringLiteral("hi");
    b.play.chatSend();
    ASSERT_TRUE(waitFor([&] { return a.windows.chatLines.contains(QStringLiteral("<Bob> hi")); }));

    const qsizetype before = a.windows.chatLines.size();
    a.windows.typedChat.clear();
    a.play.chatSend();
    EXPECT_EQ(a.windows.chatLines.size(), before);
    EXPECT_EQ(b.windows.chatLines.size(), static_cast<qsizetype>(std::size(lines)) + 1);
}

TEST_F(NetPlayTest, RefusedThenAcceptedMatchIsPlayedToItsEndOnBothSides)
{
    ASSERT_TRUE(link(a, b));
    b.windows.answers = {false};
    EXPECT_FALSE(pressStart(a));
    EXPECT_EQ(b.windows.asked.size(), 1);
    EXPECT_TRUE(b.windows.asked.first().startsWith(QStringLiteral("The player Ann inviting you")));
    ASSERT_TRUE(waitFor([&] { return a.windows.refusals == QStringList{kRefusal}; }));
    EXPECT_FALSE(a.play.agreement().hidesOpponentBoard());
    EXPECT_FALSE(a.windows.waiting);
    EXPECT_FALSE(matchOf(a.game).gameInProgress);
    EXPECT_FALSE(matchOf(b.game).gameInProgress);

    const Board aFleet = a.game.boards().ownBoard;
    const Board bFleet = b.game.boards().ownBoard;
    agreeMatch();
    EXPECT_EQ(a.windows.waitingShown, 2);
    EXPECT_EQ(matchOf(a.game).opponentName, Bob);
    EXPECT_EQ(matchOf(b.game).opponentName, Ann);
    EXPECT_EQ(a.windows.opponentCaption, QStringLiteral(" Bob "));
    Board armed = bFleet;
    armBoard(armed, 10);
    EXPECT_EQ(a.game.boards().opponentBoard, armed);
    armed = aFleet;
    armBoard(armed, 10);
    EXPECT_EQ(b.game.boards().opponentBoard, armed);

    playToTheEnd();
    EXPECT_FALSE(matchOf(a.game).gameInProgress);
    EXPECT_FALSE(matchOf(b.game).gameInProgress);
    EXPECT_EQ(a.statisticsShown, 1);
    EXPECT_EQ(b.statisticsShown, 1);
    EXPECT_EQ(wins(a) + wins(b), 1);
    EXPECT_EQ(losses(a) + losses(b), 1);
    EXPECT_EQ(wins(a), losses(b));
}

// The aim goes out when it moves, and the first aim of every match goes out
// whatever the last match's was, the first cell included.
TEST_F(NetPlayTest, EveryMatchSendsItsFirstAim)
{
    ASSERT_TRUE(link(a, b));
    using Aims = decltype(b.windows.aims);
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        b.windows.aims.clear();
        agreeMatch();
        a.play.sendAim(0, 0);
        a.play.sendAim(0, 0);
        a.play.sendAim(3, 1);
        ASSERT_TRUE(waitFor([&] { return b.windows.aims.size() == 2; }));
        settle();
        EXPECT_EQ(b.windows.aims, (Aims{{0, 0}, {3, 1}}));
        playToTheEnd();
        a.play.sendAim(0, 0); // out of a match: never sent
        settle();
        EXPECT_EQ(b.windows.aims.size(), 2U);
        for (Side *side : {&a, &b}) {
            side->match.finish();
            side->placeFleet();
        }
    }
}

TEST_F(NetPlayTest, PacketsKeepArrivingWhileTheInvitationQuestionIsOpen)
{
    ASSERT_TRUE(link(a, b));
    bool chatSeenWhileAsked = false;
    b.windows.whileAsked = [&] {
        a.windows.typedChat = QStringLiteral("still there?");
        a.play.chatSend();
        chatSeenWhileAsked = waitFor(
            [&] { return b.windows.chatLines.contains(QStringLiteral("<Ann> still there?")); });
    };
    agreeMatch();
    EXPECT_TRUE(chatSeenWhileAsked);
}

// The question stays open while the link goes on and the inviting side
// waits. Answered later, it does what an answer at once does.
TEST_F(NetPlayTest, AnInvitationAnsweredLaterDoesWhatAnAnswerAtOnceDoes)
{
    ASSERT_TRUE(link(a, b));
    b.windows.holdQuestion = true;
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes ? "yes" : "no");
        EXPECT_FALSE(a.match.begin());
        ASSERT_TRUE(waitFor([&] { return bool(b.windows.openQuestion); }));
        const QString line = yes ? QStringLiteral("ready?") : QStringLiteral("still there?");
        a.windows.typedChat = line;
        a.play.chatSend();
        EXPECT_TRUE(waitFor([&] { return b.windows.chatLines.contains("<Ann> " + line); }));
        EXPECT_TRUE(b.play.invitationPending());
        EXPECT_TRUE(a.windows.waiting);

        std::exchange(b.windows.openQuestion, nullptr)(yes);
        if (yes) {
            ASSERT_TRUE(waitFor(
                [&] { return matchOf(a.game).gameInProgress && matchOf(b.game).gameInProgress; }));
            EXPECT_NE(matchOf(a.game).playerTurn, matchOf(b.game).playerTurn);
            EXPECT_EQ(matchOf(a.game).opponentName, Bob);
            EXPECT_EQ(matchOf(b.game).opponentName, Ann);
        } else {
            ASSERT_TRUE(waitFor([&] { return a.windows.refusals == QStringList{kRefusal}; }));
            EXPECT_FALSE(matchOf(b.game).gameInProgress);
        }
        EXPECT_FALSE(a.windows.waiting);
        EXPECT_FALSE(b.play.invitationPending());
    }
    EXPECT_EQ(b.windows.asked.size(), 2);
}

TEST_F(NetPlayTest, CrossingInvitationsLetExactlyOneSideFireFirst)
{
    ASSERT_TRUE(link(a, b));
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE(round);
        // b presses Start right after a's invitation has left, before it
        // arrives: both wait, each receives the other's invitation.
        a.windows.whileWaiting = [&] { EXPECT_TRUE(pressStart(b)); };
        ASSERT_TRUE(pressStart(a));
        EXPECT_TRUE(matchOf(b.game).gameInProgress);
        EXPECT_TRUE(b.windows.asked.isEmpty());
        EXPECT_NE(matchOf(a.game).playerTurn, matchOf(b.game).playerTurn);
        EXPECT_EQ(matchOf(a.game).opponentName, Bob);
        EXPECT_EQ(matchOf(b.game).opponentName, Ann);
        if (round == 0) {
            playToTheEnd();
            EXPECT_EQ(wins(a) + wins(b), 1);
        }
        for (Side *side : {&a, &b}) {
            side->match.finish();
            side->placeFleet();
        }
    }
}

TEST(FiresFirstTest, ExactlyOneOfTwoDifferentSidesAndFairOverFleets)
{
    Random random(7);
    int firstOfLower = 0;
    constexpr int kPairs = 300;
    for (int i = 0; i < kPairs; ++i) {
        const QByteArray tx = randomFleet(random), ty = randomFleet(random);
        ASSERT_NE(firesFirst(tx, "Ann", ty, "Bob"), firesFirst(ty, "Bob", tx, "Ann"));
        firstOfLower += firesFirst(std::min(tx, ty), "Ann", std::max(tx, ty), "Ann");
    }
    // A fair coin: far from always the same side.
    EXPECT_GT(firstOfLower, kPairs / 4);
    EXPECT_LT(firstOfLower, kPairs * 3 / 4);
    // Same fleet, other names: still exactly one. All the same: neither.
    Board same{};
    same.fill(CellWater);
    const QByteArray t = boardText(same);
    EXPECT_NE(firesFirst(t, "Ann", t, "Bob"), firesFirst(t, "Bob", t, "Ann"));
    EXPECT_FALSE(firesFirst(t, "Ann", t, "Ann"));
}

TEST_F(NetPlayTest, InvitationToAPlayerWithoutAFullFleetIsRefusedWithoutAQuestion)
{
    ASSERT_TRUE(link(a, b));
    clearBoard(b.game.boards().ownBoard, b.game.boards().placedFleet);
    b.windows.answers = {true};
    EXPECT_FALSE(pressStart(a));
    EXPECT_TRUE(b.windows.asked.isEmpty());
    ASSERT_TRUE(waitFor([&] { return a.windows.refusals == QStringList{kRefusal}; }));
    EXPECT_FALSE(matchOf(b.game).gameInProgress);
}

TEST_F(NetPlayTest, PeerDroppingMidMatchLeavesTheComputerToPlayOn)
{
    ASSERT_TRUE(link(a, b));
    agreeMatch();
    Side &waiting = matchOf(a.game).playerTurn ? b : a; // not its turn
    Side &other = matchOf(a.game).playerTurn ? a : b;
    other.play.link().closeClient();
    other.play.link().listen(0); // closes the listening socket and its connections
    ASSERT_TRUE(waitFor([&] { return !waiting.play.peerConnected(); }));
    const Board before = waiting.game.boards().ownBoard;
    waiting.match.tick(); // the computer takes the opponent's turn
    EXPECT_NE(waiting.game.boards().ownBoard, before);
    EXPECT_TRUE(matchOf(waiting.game).gameInProgress);
}

TEST_F(NetPlayTest, AbortNoticeLetsPacketsThroughAndComesOnceForAFlood)
{
    ASSERT_TRUE(link(a, b));
    agreeMatch();
    // While the notice is open, a keeps sending: more aborts and a chat line.
    bool chatWhileOpen = false;
    b.windows.whileAborted = [&] {
        b.windows.whileAborted = nullptr;
        for (int i = 0; i < 50; ++i)
            a.play.sendGameAborted();
        a.windows.typedChat = QStringLiteral("bye");
        a.play.chatSend();
        chatWhileOpen = waitFor([&] { return b.windows.chatLines.contains("<Ann> bye"); });
    };
    a.match.abort();
    ASSERT_TRUE(waitFor([&] { return !b.windows.aborts.isEmpty(); }));
    settle();
    EXPECT_TRUE(chatWhileOpen);
    EXPECT_EQ(b.windows.aborts, QStringList{QStringLiteral(
                                    "The player Ann is finished game. You must abort game too.")});
    EXPECT_TRUE(matchOf(b.game).gameInProgress); // the match goes on until b aborts too
}

TEST_F(NetPlayTest, ThirdMachineIsNeitherNamedNorTakesTheLink)
{
    ASSERT_TRUE(link(a, b));
    // A chat line from a to b arrives after everything a sent before it.
    const auto barrier = [&](const QString &text) {
        a.windows.typedChat = text;
        a.play.chatSend();
        return waitFor(
            [&] { return b.windows.chatLines.contains(QStringLiteral("<Ann> ") + text); });
    };
    ASSERT_TRUE(barrier(QStringLiteral("linked")));
    const qsizetype bStatuses = b.windows.statuses.size();
    RawPeer eve(QStringLiteral("127.0.0.3"), port);
    ASSERT_TRUE(eve.connectTo(a.address, port));
    eve.sendPacket(makeConnectionInvite(QStringLiteral("Eve"), 12));
    eve.sendPacket(makeUserInfoChange(QStringLiteral("Eve"), 13));
    settle();
    // Only the peer names the opponent.
    EXPECT_EQ(a.windows.statuses.filter(QStringLiteral("Eve")), QStringList{});
    EXPECT_EQ(a.windows.address, b.address); // no connection back to Eve
    EXPECT_TRUE(a.play.peerConnected());
    // A stranger's invite sends the peer nothing.
    ASSERT_TRUE(barrier(QStringLiteral("after eve")));
    EXPECT_EQ(b.windows.statuses.mid(bStatuses), QStringList{}) << "a told its peer of eve";
    // Eve's match and chat packets are not the peer's.
    eve.sendPacket(makeAreaData(QStringLiteral("Eve"), 10,
                                QString::fromLatin1(randomFleet(a.random)), true, '1'));
    eve.sendPacket(makeChatMessage(QStringLiteral("Eve"), QStringLiteral("psst")));
    settle();
    EXPECT_TRUE(a.windows.asked.isEmpty());
    EXPECT_EQ(a.windows.chatLines.filter(QStringLiteral("psst")), QStringList{});
    EXPECT_TRUE(eve.received.empty());
}

// Hands a side's packets on as if the reverse look-up of every sender had
// found the given name.
class NamedSenders : public PacketHandler
{
public:
    NamedSenders(Side &side, QString name) : m_side(side), m_name(std::move(name))
    {
        side.play.link().setHandler(this);
    }
    ~NamedSenders() override { m_side.play.link().setHandler(&m_side.play); }
    NamedSenders(const NamedSenders &) = delete;
    NamedSenders &operator=(const NamedSenders &) = delete;

    void handlePacket(char type, const PacketFields &fields,
                      const IncomingConnection &from) override
    {
        IncomingConnection named = from;
        named.remoteHostName = m_name;
        m_side.play.handlePacket(type, fields, named);
    }

private:
    Side &m_side;
    QString m_name;
};

// Anyone may have their address's reverse name point at another machine:
// the connection back goes to the address the invite came from.
TEST(ConnectBackTest, GoesToTheInvitesAddressNotWhereItsNameLeads)
{
    const int port = freePort();
    Side side(Ann, QStringLiteral("127.0.0.2"), port, 5);
    RawPeer eve(QStringLiteral("127.0.0.3"), port);
    RawPeer third(QStringLiteral("127.0.0.1"), port); // where "localhost" leads
    NamedSenders named(side, QStringLiteral("localhost"));
    ASSERT_TRUE(linkRawPeer(side, eve, port));
    settle();
    EXPECT_EQ(side.play.link().clientRemoteAddress(), QHostAddress(QStringLiteral("127.0.0.3")));
    EXPECT_TRUE(third.received.empty());
    EXPECT_TRUE(third.accepted.empty());
}

// A peer chosen by an attempt still under way stays chosen: a stranger's
// invite meanwhile is not heard, neither connected back to nor named.
TEST(ConnectBackTest, AStrangersInviteDoesNotTurnAnAttemptUnderWay)
{
    const int port = freePort();
    Side side(Ann, QStringLiteral("127.0.0.2"), port, 5);
    // A peer whose accept queue is full: the kernel drops further connects
    // to it, so the attempt stays under way.
    const QString slowPeer = QStringLiteral("127.0.0.4");
    const int full = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(full, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(static_cast<quint16>(port));
    ASSERT_EQ(::inet_pton(AF_INET, "127.0.0.4", &at.sin_addr), 1);
    ASSERT_EQ(::bind(full, reinterpret_cast<const sockaddr *>(&at), sizeof at), 0);
    ASSERT_EQ(::listen(full, 0), 0);
    QTcpSocket filler;
    filler.connectToHost(slowPeer, static_cast<quint16>(port));
    ASSERT_TRUE(filler.waitForConnected(3000));

    side.play.startServer();
    side.windows.address = slowPeer;
    side.play.connectToPeer();
    RawPeer eve(QStringLiteral("127.0.0.3"), port);
    ASSERT_TRUE(eve.connectTo(side.address, port));
    eve.sendPacket(makeConnectionInvite(QStringLiteral("Eve"), 10));
    eve.sendPacket(makeUserInfoChange(QStringLiteral("Eve"), 10));
    settle(500);
    EXPECT_TRUE(side.play.link().isClientAttempting());
    EXPECT_EQ(side.play.link().attemptAddress(), QHostAddress(slowPeer));
    EXPECT_TRUE(eve.accepted.empty());
    EXPECT_EQ(side.windows.address, slowPeer);
    EXPECT_EQ(side.windows.statuses.filter(QStringLiteral("Eve")), QStringList{});
    ::close(full);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
