// Network play between real sockets on loopback, two or three "machines" in
// one process: linking, the dispatcher's rules, the chat, the match
// agreement and a whole match, and what a hostile peer may send.
#include "model/shots.h"
#include "netplay_fixture.h"

#include <gtest/gtest.h>

using namespace tw;
using namespace tw::test;

namespace {

const QString Ann = QStringLiteral("Ann");
const QString Bob = QStringLiteral("Bob");
const QString kRefusal =
    QStringLiteral("The user doesn't ready to game, or area sizes miscoincide.");

QString opponentStatus(const QString &name, int size = 10)
{
    return QStringLiteral("Your opponent: ") + name + QStringLiteral(" (area size: ") +
           QString::number(size) + u')';
}

QByteArray boardText(const Board &board)
{
    return QByteArray::fromStdString(boardToText(board));
}

// Cells of a board that a shot may still target.
bool open(const Board &board, int x, int y)
{
    const auto code = board.at(x, y);
    return code == CellWater || code == CellIntact;
}

class NetPlayTest : public ::testing::Test
{
protected:
    int port = freePort();
    Side a{Ann, QStringLiteral("127.0.0.1"), port, 11};
    Side b{Bob, QStringLiteral("127.0.0.2"), port, 22};

    // Start on a, accepted by b; both matches run afterwards.
    void agreeMatch()
    {
        b.windows.answers = {true};
        ASSERT_TRUE(pressStart(a));
        ASSERT_TRUE(waitFor([&] { return b.game.match.gameInProgress; }));
    }

    // The side whose turn it is fires at its next open cell until a fleet is
    // gone; after every shot the target's own board must equal the
    // shooter's copy of it, cell for cell.
    void playToTheEnd()
    {
        for (int shot = 0; shot < 2 * 225; ++shot) {
            ASSERT_NE(a.game.match.playerTurn, b.game.match.playerTurn) << "shot " << shot;
            Side &shooter = a.game.match.playerTurn ? a : b;
            Side &target = a.game.match.playerTurn ? b : a;
            const int n = shooter.game.boards.areaSize;
            int x = 0, y = 0;
            for (int i = 0; i < n * n && x == 0; ++i)
                if (open(shooter.game.boards.opponentBoard, i / n + 1, i % n + 1)) {
                    x = i / n + 1;
                    y = i % n + 1;
                }
            ASSERT_NE(x, 0);
            shooter.match.playerShot(x - 1, y - 1);
            ASSERT_TRUE(waitFor([&] {
                return target.game.boards.ownBoard == shooter.game.boards.opponentBoard &&
                       target.game.match.playerTurn != shooter.game.match.playerTurn;
            })) << "shot "
                << shot << " at " << x << "," << y;
            if (fleetDestroyed(target.game.boards.ownBoard, n))
                break;
        }
        a.match.tick();
        b.match.tick();
    }

    static int wins(const Side &side)
    {
        for (const PlayerRecord &r : side.game.scores.players)
            if (!r.free)
                return r.wins;
        return -1;
    }
    static int losses(const Side &side)
    {
        for (const PlayerRecord &r : side.game.scores.players)
            if (!r.free)
                return r.losses;
        return -1;
    }
};

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

TEST_F(NetPlayTest, StatusTextsInRussian)
{
    a.game.settings.englishUi = false;
    b.game.settings.englishUi = false;
    a.play.startServer();
    EXPECT_EQ(a.windows.statuses.last(), QStringLiteral("инициализация сервера: Ок"));
    a.play.showConnectionState();
    EXPECT_EQ(a.windows.statuses.last(), QStringLiteral("нет подключения"));

    a.windows.address = QStringLiteral("127.0.0.3"); // nobody listens there
    a.play.connectToPeer();
    ASSERT_TRUE(waitFor([&] { return a.windows.statuses.last() == "ошибка подключения!"; }));

    a.windows.port = QStringLiteral("70000");
    a.play.connectToPeer();
    EXPECT_EQ(a.windows.statuses.last(), QStringLiteral("ошибка сервера!"));

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
        {"127.0.0.2", "", QStringLiteral("70000"), "server error!", "70000"},
        {"127.0.0.2", "", QStringLiteral("2147483648"), "connection error!", "8169"},
        {"127.0.0.2", "", QStringLiteral("-5"), "connection error!", "8169"},
        // Nobody listens on 127.0.0.3: refused at once.
        {"127.0.0.3", "", p, "connection error!", nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.address) + " port '" + c.port.toStdString() + "'");
        a.windows.statuses.clear();
        a.windows.address = QString::fromLatin1(c.address);
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
        }));
        EXPECT_EQ(a.windows.port, c.portAfter ? QString::fromLatin1(c.portAfter) : p);
        EXPECT_FALSE(a.play.link().isClientActive());
    }
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
    EXPECT_FALSE(a.game.agreement.awaitingConfirmation());
    EXPECT_FALSE(a.windows.waiting);
    EXPECT_FALSE(a.game.match.gameInProgress);
    EXPECT_FALSE(b.game.match.gameInProgress);

    const Board aFleet = a.game.boards.ownBoard;
    const Board bFleet = b.game.boards.ownBoard;
    agreeMatch();
    EXPECT_EQ(a.windows.waitingShown, 2);
    EXPECT_EQ(a.game.match.opponentName, Bob);
    EXPECT_EQ(b.game.match.opponentName, Ann);
    EXPECT_EQ(a.windows.opponentCaption, QStringLiteral(" Bob "));
    Board armed = bFleet;
    armBoard(armed, 10);
    EXPECT_EQ(a.game.boards.opponentBoard, armed);
    armed = aFleet;
    armBoard(armed, 10);
    EXPECT_EQ(b.game.boards.opponentBoard, armed);

    playToTheEnd();
    EXPECT_FALSE(a.game.match.gameInProgress);
    EXPECT_FALSE(b.game.match.gameInProgress);
    EXPECT_EQ(a.statisticsShown, 1);
    EXPECT_EQ(b.statisticsShown, 1);
    EXPECT_EQ(wins(a) + wins(b), 1);
    EXPECT_EQ(losses(a) + losses(b), 1);
    EXPECT_EQ(wins(a), losses(b));
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

TEST_F(NetPlayTest, CrossingInvitationsLetExactlyOneSideFireFirst)
{
    ASSERT_TRUE(link(a, b));
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE(round);
        // b presses Start right after a's invitation has left, before it
        // arrives: both wait, each receives the other's invitation.
        a.windows.whileWaiting = [&] { EXPECT_TRUE(pressStart(b)); };
        ASSERT_TRUE(pressStart(a));
        EXPECT_TRUE(b.game.match.gameInProgress);
        EXPECT_TRUE(b.windows.asked.isEmpty());
        EXPECT_NE(a.game.match.playerTurn, b.game.match.playerTurn);
        EXPECT_EQ(a.game.match.opponentName, Bob);
        EXPECT_EQ(b.game.match.opponentName, Ann);
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
        Board x{}, y{};
        FleetCounts cx, cy;
        x.fill(CellWater);
        y.fill(CellWater);
        generateFleet(x, cx, 10, random);
        generateFleet(y, cy, 10, random);
        const QByteArray tx = boardText(x), ty = boardText(y);
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
    clearBoard(b.game.boards.ownBoard, b.game.boards.placedFleet);
    b.windows.answers = {true};
    EXPECT_FALSE(pressStart(a));
    EXPECT_TRUE(b.windows.asked.isEmpty());
    ASSERT_TRUE(waitFor([&] { return a.windows.refusals == QStringList{kRefusal}; }));
    EXPECT_FALSE(b.game.match.gameInProgress);
}

TEST_F(NetPlayTest, PeerDroppingMidMatchLeavesTheComputerToPlayOn)
{
    ASSERT_TRUE(link(a, b));
    agreeMatch();
    Side &waiting = a.game.match.playerTurn ? b : a; // not its turn
    Side &other = a.game.match.playerTurn ? a : b;
    other.play.link().closeClient();
    other.play.link().listen(0); // closes the listening socket and its connections
    ASSERT_TRUE(waitFor([&] { return !waiting.play.peerConnected(); }));
    const Board before = waiting.game.boards.ownBoard;
    waiting.match.tick(); // the computer takes the opponent's turn
    EXPECT_NE(waiting.game.boards.ownBoard, before);
    EXPECT_TRUE(waiting.game.match.gameInProgress);
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
    EXPECT_TRUE(b.game.match.gameInProgress); // the match goes on until b aborts too
}

TEST_F(NetPlayTest, ThirdMachineIsNamedButNeverTakesTheLink)
{
    ASSERT_TRUE(link(a, b));
    const qsizetype bStatuses = b.windows.statuses.size();
    RawPeer eve(QStringLiteral("127.0.0.3"), port);
    ASSERT_TRUE(eve.connectTo(a.address, port));
    eve.sendPacket(makeConnectionInvite(QStringLiteral("Eve"), 12));
    ASSERT_TRUE(waitFor([&] { return a.windows.sawStatus(opponentStatus("Eve", 12)); }));
    EXPECT_EQ(a.windows.address, b.address); // no connection back to Eve
    EXPECT_TRUE(a.play.peerConnected());
    // a told its peer about itself again.
    ASSERT_TRUE(
        waitFor([&] { return b.windows.statuses.mid(bStatuses).contains(opponentStatus(Ann)); }));
    // Eve's match and chat packets are not the peer's.
    Board fleet{};
    fleet.fill(CellWater);
    FleetCounts counts;
    generateFleet(fleet, counts, 10, a.random);
    eve.sendPacket(
        makeAreaData(QStringLiteral("Eve"), 10, QString::fromLatin1(boardText(fleet)), true, '1'));
    eve.sendPacket(makeChatMessage(QStringLiteral("Eve"), QStringLiteral("psst")));
    settle();
    EXPECT_TRUE(a.windows.asked.isEmpty());
    EXPECT_TRUE(a.windows.chatLines.isEmpty());
    EXPECT_TRUE(eve.received.empty());
}

// A peer that is linked to a byte by byte.
class HostilePeerTest : public NetPlayTest
{
protected:
    RawPeer eve{QStringLiteral("127.0.0.2"), port};

    void SetUp() override
    {
        a.play.startServer();
        ASSERT_TRUE(eve.connectTo(a.address, port));
        eve.sendPacket(makeConnectionInvite(QStringLiteral("Eve"), 10));
        ASSERT_TRUE(waitFor([&] { return a.play.peerConnected() && eve.count('C') == 1; }));
    }

    QByteArray legalFleet()
    {
        Board fleet{};
        fleet.fill(CellWater);
        FleetCounts counts;
        generateFleet(fleet, counts, 10, b.random);
        return boardText(fleet);
    }

    // Puts a in a running match against Eve's legal fleet, with the turn as given.
    void startMatch(bool aFiresFirst)
    {
        eveBoard = legalFleet();
        eve.sendPacket(
            makeAreaData(QStringLiteral("Eve"), 10, QString::fromLatin1(eveBoard), true, '1'));
        a.windows.answers = {true};
        ASSERT_TRUE(waitFor([&] { return a.game.match.gameInProgress; }));
        a.game.match.playerTurn = aFiresFirst;
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
        EXPECT_EQ(reply.payload(3), boardText(a.game.boards.ownBoard)); // the refusing side's board
        EXPECT_EQ(reply.payload(4), "N");
        EXPECT_EQ(reply.payload(5), "1");
    }
    EXPECT_TRUE(a.windows.asked.isEmpty());
    EXPECT_EQ(a.game.boards.opponentBoard, Board{});

    // A good one is asked about; No sends the start digit back unchanged.
    eve.sendPacket(makeAreaData(QStringLiteral("Eve"), 10, QString::fromLatin1(legal), true, '7'));
    ASSERT_TRUE(waitFor([&] { return eve.count('P') == replies + 1; }));
    EXPECT_EQ(a.windows.asked.size(), 1);
    EXPECT_EQ(eve.last('P')->payload(5), "7");
}

TEST_F(HostilePeerTest, ShotsOutOfTurnOrPlaceNeverChangeTheBoard)
{
    startMatch(true);
    const Board before = a.game.boards.ownBoard;
    eve.sendPacket(makeShotData(0, 0)); // a's own turn
    settle();
    EXPECT_EQ(a.game.boards.ownBoard, before);

    a.game.match.playerTurn = false;
    for (const QByteArray &bad :
         {QByteArray("TWKBEGP3|S|10|0|TWKENDP|"), QByteArray("TWKBEGP3|S|0|99999999999|TWKENDP|"),
          QByteArray("TWKBEGP3|S|-1|0|TWKENDP|"), QByteArray("TWKBEGP3|S|0x1|0|TWKENDP|"),
          QByteArray("TWKBEGP3|S| 1|0|TWKENDP|"), QByteArray("TWKBEGP3|S|1|TWKENDP|"),
          QByteArray("TWKBEGP3|S|1|2|3|TWKENDP|")})
        eve.send(bad);
    settle();
    EXPECT_EQ(a.game.boards.ownBoard, before);
    EXPECT_FALSE(a.game.match.playerTurn);

    // A ship cell hit, then shot at again: it stays a ship, never water.
    int ship = -1;
    for (int i = 0; i < 100 && ship < 0; ++i)
        if (before.at(i / 10 + 1, i % 10 + 1) == CellIntact)
            ship = i;
    ASSERT_GE(ship, 0);
    const int x = ship / 10 + 1, y = ship % 10 + 1;
    eve.sendPacket(makeShotData(x - 1, y - 1));
    ASSERT_TRUE(waitFor([&] { return a.game.boards.ownBoard.at(x, y) != CellIntact; }));
    const Board afterHit = a.game.boards.ownBoard;
    eve.sendPacket(makeShotData(x - 1, y - 1));
    settle();
    EXPECT_EQ(a.game.boards.ownBoard, afterHit);

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

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

namespace {

// The answer to a's invitation and the peer's first shot, in one write: the
// match begins at the answer, so the shot that follows it counts.
TEST_F(HostilePeerTest, AcceptAndFirstShotInOneWriteBothCount)
{
    EXPECT_FALSE(a.match.begin()); // the invitation leaves; Start returns
    ASSERT_TRUE(waitFor([&] { return eve.count('P') == 1; }));
    EXPECT_TRUE(a.windows.waiting);
    const Board before = a.game.boards.ownBoard;
    eve.send(makeAreaData(QStringLiteral("Eve"), 10, QString::fromLatin1(legalFleet()), true, '1') +
             "|TWKENDP|" + makeShotData(3, 4) + "|TWKENDP|");
    ASSERT_TRUE(waitFor([&] { return a.game.match.gameInProgress; }));
    EXPECT_FALSE(a.windows.waiting);
    ASSERT_TRUE(waitFor([&] { return a.game.boards.ownBoard.at(4, 5) != before.at(4, 5); }));
    EXPECT_EQ(a.game.match.opponentName, QStringLiteral("Eve"));
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
    EXPECT_EQ(a.game.agreement.phase, AgreementPhase::None);
    EXPECT_FALSE(a.game.match.gameInProgress);
    EXPECT_TRUE(a.windows.refusals.isEmpty());
    EXPECT_TRUE(pressStart(a)) << "a computer match once the peer is gone";
}

} // namespace
