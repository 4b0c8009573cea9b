// SPDX-License-Identifier: GPL-3.0-or-later
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

#include "common/agreementaccess.h"
#include "common/gamestateaccess.h"
#include "match/match.h"
#include "match/nullparts.h"
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

void check(bool condition, int line = __builtin_LINE())
{
    if (!condition) {
        std::fprintf(stderr, "invariant broken at line %d\n", line);
        std::abort();
    }
}

bool shipCell(std::uint8_t code)
{
    return code == CellShip || code == CellHit || code == CellIntact;
}

// The windows and the match around the dispatcher, all silent.
class World : public NetPlayPrompts, public NullMatchDialogs, public NullMatchSounds
{
public:
    GameState game;
    Random random{1};
    NetPlay play{game, *this};
    GameLog log; // logs nowhere
    SystemLogClock clock;
    Match match{game, random, *this, *this, play, log, clock};
    bool answerYes = false;
    int shotsInOwnTurn = 0;

    World()
    {
        QObject::connect(&play, &NetPlay::invitationAccepted, [this] { match.begin(); });
        QObject::connect(&play, &NetPlay::inviteAnswered, &match, &Match::peerAnswered);
        QObject::connect(&play, &NetPlay::peerFired, [this](int col, int row) {
            const bool ownTurn = matchOf(game).playerTurn;
            const Board before = game.boards().ownBoard;
            match.peerShot(col, row);
            if (ownTurn && game.boards().ownBoard != before)
                ++shotsInOwnTurn;
        });
        QObject::connect(&play, &NetPlay::peerAimed, [this](int col, int row) {
            check(col >= 0 && row >= 0 && col < game.boards().areaSize &&
                  row < game.boards().areaSize);
        });
        QObject::connect(&play, &NetPlay::addressFilled,
                         [this](const QString &text) { m_address = text; });
        QObject::connect(&play, &NetPlay::portFilled,
                         [this](const QString &text) { m_port = text; });
        QObject::connect(&play, &NetPlay::chatLineAdded,
                         [](const QString &line) { check(!line.contains(u'\n')); });
        // The statistics window closes at once.
        QObject::connect(&match, &Match::statisticsDue, [this] { match.statisticsClosed(); });
        QObject::connect(&match, &Match::modeChanged, [this](bool inMatch) {
            if (inMatch)
                matchOf(game).gameOver = false;
        });
    }

    // NetPlayPrompts: no host name, nothing typed.
    QString addressField() override { return m_address; }
    QString hostField() override { return {}; }
    QString portField() override { return m_port; }
    QString chatInput() override { return {}; }
    void askInvitation(const QString &, std::function<void(bool)> answered) override
    {
        answered(answerYes);
    }
    QString missCue() override { return {}; }

    // MatchDialogs
    void ask(Box, std::function<void(bool)> answered) override
    {
        if (answered)
            answered(false);
    }
    void generateOpponentFleet(Board &board) override
    {
        FleetCounts scratch;
        generateFleet(board, scratch, game.boards().areaSize, random);
    }

    // Links the program to itself on loopback.
    bool linkToItself()
    {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost, 0))
            return false;
        const int port = probe.serverPort();
        probe.close();
        play.link().setLocalAddress(QHostAddress::LocalHost);
        play.setServerPort(port);
        play.startServer();
        m_address = QStringLiteral("127.0.0.1");
        m_port = QString::number(port);
        play.connectToPeer();
        for (int i = 0; i < 2000 && !play.peerConnected(); ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return play.peerConnected();
    }

private:
    QString m_address, m_port;
};

World *theWorld()
{
    static int argc = 1;
    static char name[] = "fuzz_dispatcher";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static World *world = [] {
        auto *w = new World;
        setDefaultScoreData(w->game.scores());
        if (!w->linkToItself()) {
            std::fprintf(stderr, "cannot link to itself on loopback\n");
            std::abort();
        }
        return w;
    }();
    return world;
}

Board legalFleet(int areaSize, Random &random)
{
    Board board{};
    board.fill(CellWater);
    FleetCounts counts;
    generateFleet(board, counts, areaSize, random);
    return board;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    World &w = *theWorld();
    GameState &game = w.game;
    const std::uint8_t state = data[0];
    const int areaSize = 10 + data[1] % 6;

    // A fresh state of the kind byte 0 asks for.
    w.random.seed(data[1]);
    matchOf(game) = MatchState{};
    BoardState &b = game.boards();
    b.areaSize = static_cast<std::uint8_t>(areaSize);
    clearBoard(b.ownBoard, b.placedFleet);
    clearBoard(b.opponentBoard);
    if (state & 0x08)
        generateFleet(b.ownBoard, b.placedFleet, areaSize, w.random);
    if (state & 0x01) {
        b.opponentBoard = legalFleet(areaSize, w.random);
        armBoard(b.ownBoard, areaSize);
        armBoard(b.opponentBoard, areaSize);
        matchOf(game).gameInProgress = true;
    }
    matchOf(game).playerTurn = (state & 0x02) != 0;
    MatchAgreementTestAccess::setPhase(w.play.agreement(), (state & 0x04) != 0
                                                               ? AgreementPhase::AwaitingAnswer
                                                               : AgreementPhase::None);
    game.settings().englishUi = (state & 0x10) != 0;
    w.answerYes = (state & 0x20) != 0;
    w.shotsInOwnTurn = 0;
    IncomingConnection from;
    from.remoteAddress =
        QHostAddress(state & 0x40 ? QStringLiteral("127.0.0.3") : QStringLiteral("127.0.0.1"));
    from.localAddress = QHostAddress::LocalHost;

    const Board ownBefore = b.ownBoard;
    const Board opponentBefore = b.opponentBoard;

    PacketReader reader;
    reader.append(
        QByteArrayView(reinterpret_cast<const char *>(data + 2), static_cast<qsizetype>(size - 2)));
    PacketFields fields;
    for (char type; (type = reader.next(fields)) != kNoPacket;)
        w.play.handlePacket(type, fields, from);
    check(reader.heldBytes() <= reader.pendingLimit());
    // The deferred question, notices and the accepting Start run now, and
    // what the program sent itself comes back through its own link.
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    // No event loop runs here, and processEvents() leaves the objects given
    // to deleteLater() (the link's closed sockets among them) alive: they are
    // deleted now, or every input would hold on to a descriptor.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    check(w.shotsInOwnTurn == 0);
    const int n = areaSize;
    for (int x = 1; x <= BoardSide; ++x)
        for (int y = 1; y <= BoardSide; ++y) {
            const bool inArea = x <= n && y <= n;
            if (!inArea)
                check(b.ownBoard.at(x, y) == ownBefore.at(x, y));
            if (shipCell(ownBefore.at(x, y)))
                check(shipCell(b.ownBoard.at(x, y)));
        }
    if (b.opponentBoard != opponentBefore) {
        // Only an agreed match brings the peer's fleet: armed, 20 ship cells.
        int ships = 0;
        for (int x = 1; x <= BoardSide; ++x)
            for (int y = 1; y <= BoardSide; ++y) {
                const auto code = b.opponentBoard.at(x, y);
                const bool inArea = x <= n && y <= n;
                check(code == CellWater || (inArea && code == CellIntact));
                ships += shipCell(code);
            }
        check(ships == 20);
    }
    // The next input starts from a clean state.
    if (matchOf(game).gameInProgress) {
        matchOf(game).gameInProgress = false;
        w.play.agreement().agreedMatchOver();
    }
    return 0;
}
