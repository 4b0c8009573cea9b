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

QString OpponentStatus(const QString &name, int size = 10)
{
    return QStringLiteral("Your opponent: ") + name + QStringLiteral(" (area size: ") +
           QString::number(size) + u')';
}

QByteArray BoardText(const TBoard &board)
{
    return QByteArray::fromStdString(BoardToText(board));
}

// Cells of a board that a shot may still target.
bool Open(const TBoard &board, int x, int y)
{
    const auto code = board.at(x, y);
    return code == CellWater || code == CellIntact;
}

class NetPlayTest : public ::testing::Test
{
protected:
    int port = FreePort();
    Side a{Ann, QStringLiteral("127.0.0.1"), port, 11};
    Side b{Bob, QStringLiteral("127.0.0.2"), port, 22};

    // Start on a, accepted by b; both matches run afterwards.
    void AgreeMatch()
    {
        b.windows.answers = {true};
        ASSERT_TRUE(a.match.Begin());
        ASSERT_TRUE(WaitFor([&] { return b.game.match.GameInProgress; }));
    }

    // The side whose turn it is fires at its next open cell until a fleet is
    // gone; after every shot the target's own board must equal the
    // shooter's copy of it, cell for cell.
    void PlayToTheEnd()
    {
        for (int shot = 0; shot < 2 * 225; ++shot) {
            ASSERT_NE(a.game.match.PlayerTurn, b.game.match.PlayerTurn) << "shot " << shot;
            Side &shooter = a.game.match.PlayerTurn ? a : b;
            Side &target = a.game.match.PlayerTurn ? b : a;
            const int n = shooter.game.boards.AreaSize;
            int x = 0, y = 0;
            for (int i = 0; i < n * n && x == 0; ++i)
                if (Open(shooter.game.boards.OpponentBoard, i / n + 1, i % n + 1)) {
                    x = i / n + 1;
                    y = i % n + 1;
                }
            ASSERT_NE(x, 0);
            shooter.game.boards.HoverCol = x - 1;
            shooter.game.boards.HoverRow = y - 1;
            shooter.match.PlayerShot();
            ASSERT_TRUE(WaitFor([&] {
                return target.game.boards.OwnBoard == shooter.game.boards.OpponentBoard &&
                       target.game.match.PlayerTurn != shooter.game.match.PlayerTurn;
            })) << "shot "
                << shot << " at " << x << "," << y;
            if (FleetDestroyed(target.game.boards.OwnBoard, n))
                break;
        }
        a.match.Tick();
        b.match.Tick();
    }

    static int Wins(const Side &side)
    {
        for (const TPlayerRecord &r : side.game.ScoreData.Players)
            if (!r.Free)
                return r.Wins;
        return -1;
    }
    static int Losses(const Side &side)
    {
        for (const TPlayerRecord &r : side.game.ScoreData.Players)
            if (!r.Free)
                return r.Losses;
        return -1;
    }
};

TEST_F(NetPlayTest, OneOkLinksBothSidesAndTheLampsFollowTheLink)
{
    ASSERT_NE(port, 0);
    ASSERT_TRUE(Link(a, b));
    EXPECT_TRUE(a.windows.sawStatus(QStringLiteral("server init: Ok")));
    EXPECT_TRUE(a.windows.statuses.filter(QStringLiteral("connection established: ")).size() >= 1);
    EXPECT_TRUE(b.windows.statuses.filter(QStringLiteral("connection established: ")).size() >= 1);
    // b connected back with a's address and its own listening port.
    EXPECT_EQ(b.windows.address, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(b.windows.port, QString::number(port));
    EXPECT_TRUE(a.windows.connectEnabled);
    EXPECT_TRUE(b.windows.connectEnabled);
    EXPECT_TRUE(a.windows.sounds.contains(QStringLiteral("CONNECT")));

    a.play.ShowConnectionState();
    EXPECT_EQ(a.windows.lampLime, 1);
    EXPECT_EQ(a.windows.lampRed, 0);

    // "No!" on b: a's link is incomplete from then on.
    b.play.Button5Click();
    EXPECT_TRUE(b.windows.sounds.contains(QStringLiteral("wrong1")));
    ASSERT_TRUE(WaitFor([&] { return !a.play.PeerConnected(); }));
    a.play.ShowConnectionState();
    EXPECT_EQ(a.windows.lampRed, 1);
    EXPECT_EQ(a.windows.statuses.last(), QStringLiteral("no connection"));
}

TEST_F(NetPlayTest, StatusTextsInRussian)
{
    a.game.settings.EnglishUI = false;
    b.game.settings.EnglishUI = false;
    a.play.StartServer();
    EXPECT_EQ(a.windows.statuses.last(), QStringLiteral("инициализация сервера: Ок"));
    a.play.ShowConnectionState();
    EXPECT_EQ(a.windows.statuses.last(), QStringLiteral("нет подключения"));

    a.windows.address = QStringLiteral("127.0.0.3"); // nobody listens there
    a.play.Button4Click();
    ASSERT_TRUE(WaitFor([&] { return a.windows.statuses.last() == "ошибка подключения!"; }));

    a.windows.port = QStringLiteral("70000");
    a.play.Button4Click();
    EXPECT_EQ(a.windows.statuses.last(), QStringLiteral("ошибка сервера!"));

    a.windows.port = QString::number(port);
    a.play.setServerPort(port);
    Link(a, b); // its English texts are not shown here
    ASSERT_TRUE(WaitFor([&] {
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
        a.play.Button4Click();
        if (!c.status) {
            Settle(50);
            EXPECT_TRUE(a.windows.statuses.isEmpty());
            EXPECT_TRUE(a.windows.connectEnabled);
            continue;
        }
        ASSERT_TRUE(WaitFor([&] {
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
        a.play.Button4Click();
        EXPECT_EQ(a.windows.port, QString::fromLatin1(stored));
        EXPECT_EQ(a.play.ServerPort(), QString::fromLatin1(stored).toInt());
    }
}

TEST_F(NetPlayTest, ChatGoesBothWaysAndEchoesWhatThePeerShows)
{
    a.windows.chatInput = QStringLiteral("before link");
    a.play.ChatSend();
    EXPECT_EQ(a.windows.chatInput, QStringLiteral("before link")); // kept, nothing sent
    EXPECT_TRUE(a.windows.chatLines.isEmpty());

    ASSERT_TRUE(Link(a, b));
    const std::pair<QString, QString> lines[] = {
        {QStringLiteral("a|b"), QStringLiteral("<Ann> a b")},
        {QStringLiteral("   "), QStringLiteral("<Ann>    ")},
        {QStringLiteral("Привет"), QStringLiteral("<Ann> Привет")},
        {QStringLiteral("x\u4e2dy"), QStringLiteral("<Ann> xy")}, // no Windows-1251 for 中
    };
    for (const auto &[typed, shown] : lines) {
        a.windows.chatInput = typed;
        a.play.ChatSend();
        EXPECT_TRUE(a.windows.chatInput.isEmpty());
        EXPECT_EQ(a.windows.chatLines.last(), shown);
        ASSERT_TRUE(WaitFor([&, &shown = shown] { return b.windows.chatLines.contains(shown); }));
    }
    b.windows.chatInput = QStringLiteral("hi");
    b.play.ChatSend();
    ASSERT_TRUE(WaitFor([&] { return a.windows.chatLines.contains(QStringLiteral("<Bob> hi")); }));

    const qsizetype before = a.windows.chatLines.size();
    a.windows.chatInput.clear();
    a.play.ChatSend();
    EXPECT_EQ(a.windows.chatLines.size(), before);
    EXPECT_EQ(b.windows.chatLines.size(), static_cast<qsizetype>(std::size(lines)) + 1);
}

TEST_F(NetPlayTest, RefusedThenAcceptedMatchIsPlayedToItsEndOnBothSides)
{
    ASSERT_TRUE(Link(a, b));
    b.windows.answers = {false};
    EXPECT_FALSE(a.match.Begin());
    EXPECT_EQ(b.windows.asked.size(), 1);
    EXPECT_TRUE(b.windows.asked.first().startsWith(QStringLiteral("The player Ann inviting you")));
    ASSERT_TRUE(WaitFor([&] { return a.windows.refusals == QStringList{kRefusal}; }));
    EXPECT_FALSE(a.game.agreement.AwaitingConfirmation);
    EXPECT_FALSE(a.windows.waiting);
    EXPECT_FALSE(a.game.match.GameInProgress);
    EXPECT_FALSE(b.game.match.GameInProgress);

    const TBoard aFleet = a.game.boards.OwnBoard;
    const TBoard bFleet = b.game.boards.OwnBoard;
    AgreeMatch();
    EXPECT_EQ(a.windows.waitingShown, 2);
    EXPECT_EQ(a.game.match.OpponentName, Bob);
    EXPECT_EQ(b.game.match.OpponentName, Ann);
    EXPECT_EQ(a.windows.opponentCaption, QStringLiteral(" Bob "));
    TBoard armed = bFleet;
    ArmBoard(armed, 10);
    EXPECT_EQ(a.game.boards.OpponentBoard, armed);
    armed = aFleet;
    ArmBoard(armed, 10);
    EXPECT_EQ(b.game.boards.OpponentBoard, armed);

    PlayToTheEnd();
    EXPECT_FALSE(a.game.match.GameInProgress);
    EXPECT_FALSE(b.game.match.GameInProgress);
    EXPECT_EQ(a.statisticsShown, 1);
    EXPECT_EQ(b.statisticsShown, 1);
    EXPECT_EQ(Wins(a) + Wins(b), 1);
    EXPECT_EQ(Losses(a) + Losses(b), 1);
    EXPECT_EQ(Wins(a), Losses(b));
}

TEST_F(NetPlayTest, PacketsKeepArrivingWhileTheInvitationQuestionIsOpen)
{
    ASSERT_TRUE(Link(a, b));
    bool chatSeenWhileAsked = false;
    b.windows.whileAsked = [&] {
        a.windows.chatInput = QStringLiteral("still there?");
        a.play.ChatSend();
        chatSeenWhileAsked = WaitFor(
            [&] { return b.windows.chatLines.contains(QStringLiteral("<Ann> still there?")); });
    };
    AgreeMatch();
    EXPECT_TRUE(chatSeenWhileAsked);
}

TEST_F(NetPlayTest, CrossingInvitationsLetExactlyOneSideFireFirst)
{
    ASSERT_TRUE(Link(a, b));
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE(round);
        // b presses Start right after a's invitation has left, before it
        // arrives: both wait, each receives the other's invitation.
        a.windows.whileWaiting = [&] { EXPECT_TRUE(b.match.Begin()); };
        ASSERT_TRUE(a.match.Begin());
        EXPECT_TRUE(b.game.match.GameInProgress);
        EXPECT_TRUE(b.windows.asked.isEmpty());
        EXPECT_NE(a.game.match.PlayerTurn, b.game.match.PlayerTurn);
        EXPECT_EQ(a.game.match.OpponentName, Bob);
        EXPECT_EQ(b.game.match.OpponentName, Ann);
        if (round == 0) {
            PlayToTheEnd();
            EXPECT_EQ(Wins(a) + Wins(b), 1);
        }
        for (Side *side : {&a, &b}) {
            side->match.Finish();
            side->PlaceFleet();
        }
    }
}

TEST(FiresFirstTest, ExactlyOneOfTwoDifferentSidesAndFairOverFleets)
{
    Random random(7);
    int firstOfLower = 0;
    constexpr int kPairs = 300;
    for (int i = 0; i < kPairs; ++i) {
        TBoard x{}, y{};
        TFleetCounts cx, cy;
        x.fill(CellWater);
        y.fill(CellWater);
        GenerateFleet(x, cx, 10, random);
        GenerateFleet(y, cy, 10, random);
        const QByteArray tx = BoardText(x), ty = BoardText(y);
        ASSERT_NE(FiresFirst(tx, "Ann", ty, "Bob"), FiresFirst(ty, "Bob", tx, "Ann"));
        firstOfLower += FiresFirst(std::min(tx, ty), "Ann", std::max(tx, ty), "Ann");
    }
    // A fair coin: far from always the same side.
    EXPECT_GT(firstOfLower, kPairs / 4);
    EXPECT_LT(firstOfLower, kPairs * 3 / 4);
    // Same fleet, other names: still exactly one. All the same: neither.
    TBoard same{};
    same.fill(CellWater);
    const QByteArray t = BoardText(same);
    EXPECT_NE(FiresFirst(t, "Ann", t, "Bob"), FiresFirst(t, "Bob", t, "Ann"));
    EXPECT_FALSE(FiresFirst(t, "Ann", t, "Ann"));
}

TEST_F(NetPlayTest, InvitationToAPlayerWithoutAFullFleetIsRefusedWithoutAQuestion)
{
    ASSERT_TRUE(Link(a, b));
    ClearBoard(b.game.boards.OwnBoard, b.game.boards.PlacedFleet);
    b.windows.answers = {true};
    EXPECT_FALSE(a.match.Begin());
    EXPECT_TRUE(b.windows.asked.isEmpty());
    ASSERT_TRUE(WaitFor([&] { return a.windows.refusals == QStringList{kRefusal}; }));
    EXPECT_FALSE(b.game.match.GameInProgress);
}

TEST_F(NetPlayTest, PeerDroppingMidMatchLeavesTheComputerToPlayOn)
{
    ASSERT_TRUE(Link(a, b));
    AgreeMatch();
    Side &waiting = a.game.match.PlayerTurn ? b : a; // not its turn
    Side &other = a.game.match.PlayerTurn ? a : b;
    other.play.link().closeClient();
    other.play.link().listen(0); // closes the listening socket and its connections
    ASSERT_TRUE(WaitFor([&] { return !waiting.play.PeerConnected(); }));
    const TBoard before = waiting.game.boards.OwnBoard;
    waiting.match.Tick(); // the computer takes the opponent's turn
    EXPECT_NE(waiting.game.boards.OwnBoard, before);
    EXPECT_TRUE(waiting.game.match.GameInProgress);
}

TEST_F(NetPlayTest, AbortNoticeLetsPacketsThroughAndComesOnceForAFlood)
{
    ASSERT_TRUE(Link(a, b));
    AgreeMatch();
    // While the notice is open, a keeps sending: more aborts and a chat line.
    bool chatWhileOpen = false;
    b.windows.whileAborted = [&] {
        b.windows.whileAborted = nullptr;
        for (int i = 0; i < 50; ++i)
            a.play.SendGameAborted();
        a.windows.chatInput = QStringLiteral("bye");
        a.play.ChatSend();
        chatWhileOpen = WaitFor([&] { return b.windows.chatLines.contains("<Ann> bye"); });
    };
    a.match.Abort();
    ASSERT_TRUE(WaitFor([&] { return !b.windows.aborts.isEmpty(); }));
    Settle();
    EXPECT_TRUE(chatWhileOpen);
    EXPECT_EQ(b.windows.aborts, QStringList{QStringLiteral(
                                    "The player Ann is finished game. You must abort game too.")});
    EXPECT_TRUE(b.game.match.GameInProgress); // the match goes on until b aborts too
}

TEST_F(NetPlayTest, ThirdMachineIsNamedButNeverTakesTheLink)
{
    ASSERT_TRUE(Link(a, b));
    const qsizetype bStatuses = b.windows.statuses.size();
    RawPeer eve(QStringLiteral("127.0.0.3"), port);
    ASSERT_TRUE(eve.connectTo(a.address, port));
    eve.sendPacket(MakeConnectionInvite(QStringLiteral("Eve"), 12));
    ASSERT_TRUE(WaitFor([&] { return a.windows.sawStatus(OpponentStatus("Eve", 12)); }));
    EXPECT_EQ(a.windows.address, b.address); // no connection back to Eve
    EXPECT_TRUE(a.play.PeerConnected());
    // a told its peer about itself again.
    ASSERT_TRUE(
        WaitFor([&] { return b.windows.statuses.mid(bStatuses).contains(OpponentStatus(Ann)); }));
    // Eve's match and chat packets are not the peer's.
    TBoard fleet{};
    fleet.fill(CellWater);
    TFleetCounts counts;
    GenerateFleet(fleet, counts, 10, a.random);
    eve.sendPacket(
        MakeAreaData(QStringLiteral("Eve"), 10, QString::fromLatin1(BoardText(fleet)), true, '1'));
    eve.sendPacket(MakeChatMessage(QStringLiteral("Eve"), QStringLiteral("psst")));
    Settle();
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
        a.play.StartServer();
        ASSERT_TRUE(eve.connectTo(a.address, port));
        eve.sendPacket(MakeConnectionInvite(QStringLiteral("Eve"), 10));
        ASSERT_TRUE(WaitFor([&] { return a.play.PeerConnected() && eve.count('C') == 1; }));
    }

    QByteArray LegalFleet()
    {
        TBoard fleet{};
        fleet.fill(CellWater);
        TFleetCounts counts;
        GenerateFleet(fleet, counts, 10, b.random);
        return BoardText(fleet);
    }

    // Puts a in a running match against Eve's legal fleet, with the turn as given.
    void StartMatch(bool aFiresFirst)
    {
        eveBoard = LegalFleet();
        eve.sendPacket(
            MakeAreaData(QStringLiteral("Eve"), 10, QString::fromLatin1(eveBoard), true, '1'));
        a.windows.answers = {true};
        ASSERT_TRUE(WaitFor([&] { return a.game.match.GameInProgress; }));
        a.game.match.PlayerTurn = aFiresFirst;
    }

    QByteArray eveBoard;
};

TEST_F(HostilePeerTest, BadInvitationsAreAnsweredNoWithoutAQuestion)
{
    const QByteArray legal = LegalFleet();
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
        ASSERT_TRUE(WaitFor([&] { return eve.count('P') == replies; }));
        const PacketFields &reply = *eve.last('P');
        EXPECT_EQ(reply.payload(1), "Ann");
        EXPECT_EQ(reply.payload(3), BoardText(a.game.boards.OwnBoard)); // the refusing side's board
        EXPECT_EQ(reply.payload(4), "N");
        EXPECT_EQ(reply.payload(5), "1");
    }
    EXPECT_TRUE(a.windows.asked.isEmpty());
    EXPECT_EQ(a.game.boards.OpponentBoard, TBoard{});

    // A good one is asked about; No sends the start digit back unchanged.
    eve.sendPacket(MakeAreaData(QStringLiteral("Eve"), 10, QString::fromLatin1(legal), true, '7'));
    ASSERT_TRUE(WaitFor([&] { return eve.count('P') == replies + 1; }));
    EXPECT_EQ(a.windows.asked.size(), 1);
    EXPECT_EQ(eve.last('P')->payload(5), "7");
}

TEST_F(HostilePeerTest, ShotsOutOfTurnOrPlaceNeverChangeTheBoard)
{
    StartMatch(true);
    const TBoard before = a.game.boards.OwnBoard;
    eve.sendPacket(MakeShotData(0, 0)); // a's own turn
    Settle();
    EXPECT_EQ(a.game.boards.OwnBoard, before);

    a.game.match.PlayerTurn = false;
    for (const QByteArray &bad :
         {QByteArray("TWKBEGP3|S|10|0|TWKENDP|"), QByteArray("TWKBEGP3|S|0|99999999999|TWKENDP|"),
          QByteArray("TWKBEGP3|S|-1|0|TWKENDP|"), QByteArray("TWKBEGP3|S|0x1|0|TWKENDP|"),
          QByteArray("TWKBEGP3|S| 1|0|TWKENDP|"), QByteArray("TWKBEGP3|S|1|TWKENDP|"),
          QByteArray("TWKBEGP3|S|1|2|3|TWKENDP|")})
        eve.send(bad);
    Settle();
    EXPECT_EQ(a.game.boards.OwnBoard, before);
    EXPECT_FALSE(a.game.match.PlayerTurn);

    // A ship cell hit, then shot at again: it stays a ship, never water.
    int ship = -1;
    for (int i = 0; i < 100 && ship < 0; ++i)
        if (before.at(i / 10 + 1, i % 10 + 1) == CellIntact)
            ship = i;
    ASSERT_GE(ship, 0);
    const int x = ship / 10 + 1, y = ship % 10 + 1;
    eve.sendPacket(MakeShotData(x - 1, y - 1));
    ASSERT_TRUE(WaitFor([&] { return a.game.boards.OwnBoard.at(x, y) != CellIntact; }));
    const TBoard afterHit = a.game.boards.OwnBoard;
    eve.sendPacket(MakeShotData(x - 1, y - 1));
    Settle();
    EXPECT_EQ(a.game.boards.OwnBoard, afterHit);

    // Aim markers only inside the area.
    eve.send("TWKBEGP3|T|10|3|TWKENDP|TWKBEGP3|T|3|x|TWKENDP|TWKBEGP3|T|4|9|TWKENDP|");
    ASSERT_TRUE(WaitFor([&] { return !a.windows.aims.empty(); }));
    Settle(50);
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
        MakeChatMessage(QStringLiteral("Eve"), QStringLiteral("whole")) + "|TWKENDP|";
    for (const char c : packet) {
        eve.send(QByteArray(1, c));
        QTest::qWait(1);
    }
    ASSERT_TRUE(WaitFor([&] { return a.windows.chatLines.contains("<Eve> whole"); }));
    EXPECT_EQ(a.windows.chatLines.size(), 1);
    EXPECT_TRUE(a.play.PeerConnected());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
