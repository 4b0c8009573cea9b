// Feeds arbitrary packets from a linked peer to the network dispatcher, in
// every state of the game that decides what they may do, and checks what
// must hold whatever a peer sends:
//   - the own board never loses a ship cell (a ship cell never becomes water
//     or a miss), and cells outside the area never change;
//   - the opponent board changes only into the armed copy of a legal fleet,
//     and only when a match is agreed;
//   - no shot is applied in the local player's turn;
//   - nothing crashes, and the sanitizers see no fault.
//
// The program is linked to itself over loopback, so the peer's address is its
// own and every packet counts as the peer's (a third connection's packets are
// tried too). What it sends back to itself is read and dispatched as well.
//
// Input: byte 0 picks the state (bits: match running, local player's turn,
// waiting for an answer to an invitation, own fleet complete, interface in
// English, answer Yes to a question, packets from a third machine), byte 1
// the area size (10 + byte % 6); the rest is the received text, cut into
// packets as a connection's reader cuts it.

#include "match/match.h"
#include "match/nullhost.h"
#include "model/placement.h"
#include "model/shots.h"
#include "net/netplay.h"
#include "records/records.h"

#include <QCoreApplication>
#include <QTcpServer>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace tw;

void Check(bool condition, int line = __builtin_LINE())
{
    if (!condition) {
        std::fprintf(stderr, "invariant broken at line %d\n", line);
        std::abort();
    }
}

bool ShipCell(std::uint8_t code)
{
    return code == CellShip || code == CellHit || code == CellIntact;
}

// The windows and the match around the dispatcher, all silent.
class World : public NetPlayHost, public NullMatchHost
{
public:
    GameState game;
    Random random{1};
    NetPlay play{game, *this};
    Match match{game, *this, random};
    bool answerYes = false;
    int shotsInOwnTurn = 0;

    // NetPlayHost
    QString AddressField() override { return m_address; }
    QString HostField() override { return {}; }
    QString PortField() override { return m_port; }
    void SetAddressField(const QString &text) override { m_address = text; }
    void SetHostField(const QString &) override {}
    void SetPortField(const QString &text) override { m_port = text; }
    void SetConnectEnabled(bool) override {}
    void ShowStatus(const QString &) override {}
    void SetLamp(bool) override {}
    void PlaySound(const QString &) override {}
    QString MissCue() override { return {}; }
    QString ChatInput() override { return {}; }
    void ClearChatInput() override {}
    void AddChatLine(const QString &line) override { Check(!line.contains(u'\n')); }
    bool AskInvitation(const QString &) override { return answerYes; }
    void ShowRefusal(const QString &) override {}
    void ShowPeerAborted(const QString &) override {}
    void ShowWaiting(bool) override {}
    void SetOpponentBoardCaption(const QString &) override {}
    void PressStart() override { match.Begin(); }
    bool OpponentShot(int col, int row) override
    {
        if (game.match.PlayerTurn)
            ++shotsInOwnTurn;
        return match.OpponentShot(col, row);
    }
    void ShowPeerAim(int col, int row) override
    {
        Check(col >= 0 && row >= 0 && col < game.boards.AreaSize && row < game.boards.AreaSize);
    }

    // MatchHost
    bool PeerConnected() override { return play.PeerConnected(); }
    bool InvitePeer() override { return play.InvitePeer(); }
    void SendShot(int col, int row) override { play.SendShot(col, row); }
    void SendGameAborted() override { play.SendGameAborted(); }
    bool Ask(Box) override { return false; }
    void GenerateOpponentFleet(TBoard &board) override
    {
        TFleetCounts scratch;
        GenerateFleet(board, scratch, game.boards.AreaSize, random);
    }
    void EnterMatchLayout() override { game.match.GameOver = false; }
    void LeaveMatchLayout() override { game.agreement.AcceptedByUs = false; }
    // Both hosts ask for it; nothing is drawn.
    void PaintOpponentBoard() override {}

    // Links the program to itself on loopback.
    bool LinkToItself()
    {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost, 0))
            return false;
        const int port = probe.serverPort();
        probe.close();
        play.link().setLocalAddress(QHostAddress::LocalHost);
        play.setServerPort(port);
        play.StartServer();
        m_address = QStringLiteral("127.0.0.1");
        m_port = QString::number(port);
        play.Button4Click();
        for (int i = 0; i < 2000 && !play.PeerConnected(); ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return play.PeerConnected();
    }

private:
    QString m_address, m_port;
};

World *TheWorld()
{
    static int argc = 1;
    static char name[] = "fuzz_dispatcher";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static World *world = [] {
        auto *w = new World;
        SetDefaultScoreData(w->game.ScoreData);
        if (!w->LinkToItself()) {
            std::fprintf(stderr, "cannot link to itself on loopback\n");
            std::abort();
        }
        return w;
    }();
    return world;
}

TBoard LegalFleet(int areaSize, Random &random)
{
    TBoard board{};
    board.fill(CellWater);
    TFleetCounts counts;
    GenerateFleet(board, counts, areaSize, random);
    return board;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    World &w = *TheWorld();
    GameState &game = w.game;
    const std::uint8_t state = data[0];
    const int areaSize = 10 + data[1] % 6;

    // A fresh state of the kind byte 0 asks for.
    w.random.seed(data[1]);
    game.match = MatchState{};
    game.agreement = AgreementState{};
    game.ModalBusy = false;
    BoardState &b = game.boards;
    b.AreaSize = static_cast<std::uint8_t>(areaSize);
    ClearBoard(b.OwnBoard, b.PlacedFleet);
    ClearBoard(b.OpponentBoard);
    if (state & 0x08)
        GenerateFleet(b.OwnBoard, b.PlacedFleet, areaSize, w.random);
    if (state & 0x01) {
        b.OpponentBoard = LegalFleet(areaSize, w.random);
        ArmBoard(b.OwnBoard, areaSize);
        ArmBoard(b.OpponentBoard, areaSize);
        game.match.GameInProgress = true;
    }
    game.match.PlayerTurn = (state & 0x02) != 0;
    game.agreement.AwaitingConfirmation = (state & 0x04) != 0;
    game.settings.EnglishUI = (state & 0x10) != 0;
    w.answerYes = (state & 0x20) != 0;
    w.shotsInOwnTurn = 0;
    IncomingConnection from;
    from.remoteAddress =
        QHostAddress(state & 0x40 ? QStringLiteral("127.0.0.3") : QStringLiteral("127.0.0.1"));
    from.localAddress = QHostAddress::LocalHost;

    const TBoard ownBefore = b.OwnBoard;
    const TBoard opponentBefore = b.OpponentBoard;

    PacketReader reader;
    reader.append(
        QByteArrayView(reinterpret_cast<const char *>(data + 2), static_cast<qsizetype>(size - 2)));
    PacketFields fields;
    for (char type; (type = reader.next(fields)) != kNoPacket;)
        w.play.handlePacket(type, fields, from);
    Check(reader.heldBytes() <= reader.pendingLimit());
    // The deferred question, notices and the accepting Start run now, and
    // what the program sent itself comes back through its own link.
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents);

    Check(w.shotsInOwnTurn == 0);
    const int n = areaSize;
    for (int x = 1; x <= BoardSide; ++x)
        for (int y = 1; y <= BoardSide; ++y) {
            const bool inArea = x <= n && y <= n;
            if (!inArea)
                Check(b.OwnBoard.at(x, y) == ownBefore.at(x, y));
            if (ShipCell(ownBefore.at(x, y)))
                Check(ShipCell(b.OwnBoard.at(x, y)));
        }
    if (b.OpponentBoard != opponentBefore) {
        // Only an agreed match brings the peer's fleet: armed, 20 ship cells.
        int ships = 0;
        for (int x = 1; x <= BoardSide; ++x)
            for (int y = 1; y <= BoardSide; ++y) {
                const auto code = b.OpponentBoard.at(x, y);
                const bool inArea = x <= n && y <= n;
                Check(code == CellWater || (inArea && code == CellIntact));
                ships += ShipCell(code);
            }
        Check(ships == 20);
    }
    // What a held link keeps for the match that follows an agreement is
    // handed out; the next input starts from a clean state.
    w.play.link().resumePackets();
    if (game.match.GameInProgress) {
        game.match.GameInProgress = false;
        game.agreement.AcceptedByUs = false;
    }
    return 0;
}
