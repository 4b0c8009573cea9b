// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Two programs' worth of network play in one process, on loopback: each side
// a NetPlay with its own game state, match and recording windows, listening
// on its own loopback address (127.0.0.1, 127.0.0.2, ...) and the same port,
// as two machines would. A RawPeer speaks the wire protocol byte by byte.

#include "common/gamestateaccess.h"
#include "match/match.h"
#include "match/nullparts.h"
#include "model/placement.h"
#include "net/netplay.h"
#include "records/records.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <deque>
#include <functional>
#include <utility>
#include <vector>

namespace tw::test {

inline bool waitFor(const std::function<bool()> &condition, int timeoutMs = 5000)
{
    return QTest::qWaitFor(condition, timeoutMs);
}

// Lets the event loop run for a while: for things that must NOT happen.
inline void settle(int ms = 150)
{
    QTest::qWait(ms);
}

// A port that is free on the loopback addresses the tests use.
inline int freePort()
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::AnyIPv4, 0))
            continue;
        return probe.serverPort();
    }
    return 0;
}

// The windows of one side, recording what network play shows: its fields
// and answers are scripted, its news recorded from the signals.
class FakeWindows : public NetPlayPrompts
{
public:
    QString address, host, port;
    bool connectEnabled = true;
    QStringList statuses;
    int lampLime = 0, lampRed = 0;
    QStringList sounds;
    QString typedChat;
    QStringList chatLines;
    QStringList asked, refusals, aborts;
    std::function<void()> whileAborted;
    std::deque<bool> answers; // scripted answers to invitations; No when empty
    std::function<void()> whileAsked;
    // With holdQuestion the invitation question stays open: openQuestion
    // answers it.
    bool holdQuestion = false;
    std::function<void(bool)> openQuestion;
    bool waiting = false;
    int waitingShown = 0;
    std::function<void()> whileWaiting;
    QString opponentCaption;
    std::vector<std::pair<int, int>> aims; // the peer's aim, shown on the own board

    // NetPlayPrompts
    QString addressField() override { return address; }
    QString hostField() override { return host; }
    QString portField() override { return port; }
    QString chatInput() override { return typedChat; }
    void askInvitation(const QString &text, std::function<void(bool)> answered) override
    {
        asked << text;
        if (holdQuestion) {
            openQuestion = std::move(answered);
            return;
        }
        if (whileAsked)
            whileAsked();
        if (answers.empty()) {
            answered(false);
            return;
        }
        const bool yes = answers.front();
        answers.pop_front();
        answered(yes);
    }
    QString missCue() override { return QStringLiteral("wrong1"); }

    // Records what play tells the windows.
    void watch(NetPlay &play)
    {
        QObject::connect(&play, &NetPlay::addressFilled, [this](const QString &t) { address = t; });
        QObject::connect(&play, &NetPlay::hostFilled, [this](const QString &t) { host = t; });
        QObject::connect(&play, &NetPlay::portFilled, [this](const QString &t) { port = t; });
        QObject::connect(&play, &NetPlay::connectEnabledChanged,
                         [this](bool enabled) { connectEnabled = enabled; });
        QObject::connect(&play, &NetPlay::statusChanged,
                         [this](const QString &t) { statuses << t; });
        QObject::connect(&play, &NetPlay::lampShown,
                         [this](bool linked) { ++(linked ? lampLime : lampRed); });
        QObject::connect(&play, &NetPlay::soundRequested,
                         [this](const QString &name) { sounds << name; });
        QObject::connect(&play, &NetPlay::chatLineAdded,
                         [this](const QString &line) { chatLines << line; });
        QObject::connect(&play, &NetPlay::chatInputCleared, [this] { typedChat.clear(); });
        QObject::connect(&play, &NetPlay::invitationRefused,
                         [this](const QString &t) { refusals << t; });
        QObject::connect(&play, &NetPlay::peerAborted, [this](const QString &t) {
            aborts << t;
            if (whileAborted)
                whileAborted();
        });
        QObject::connect(&play, &NetPlay::waitingChanged, [this](bool shown) {
            waiting = shown;
            if (!shown)
                return;
            ++waitingShown;
            if (whileWaiting)
                std::exchange(whileWaiting, nullptr)();
        });
        QObject::connect(&play, &NetPlay::opponentCaptionChanged,
                         [this](const QString &caption) { opponentCaption = caption; });
    }

    bool sawStatus(const QString &text) const { return statuses.contains(text); }
};

// One program: game state, match, network play, windows.
class Side : public NullMatchDialogs, public NullMatchSounds
{
public:
    GameState game;
    Random random;
    FakeWindows windows;
    NetPlay play{game, windows};
    GameLog log; // logs nowhere
    SystemLogClock clock;
    Match match{game, random, *this, *this, play, log, clock};
    QString address;
    int statisticsShown = 0;

    Side(const QString &name, const QString &localAddress, int port, std::uint32_t seed)
        : random(seed), address(localAddress)
    {
        setDefaultScoreData(game.scores());
        game.settings().playerName = name;
        play.link().setLocalAddress(QHostAddress(localAddress));
        play.setServerPort(port);
        windows.port = QString::number(port);
        windows.watch(play);
        // What the windows do with the network's news: Start as the accepting
        // side presses it (the match begins; the test plays it), the answer
        // to an invitation and the peer's shot into the match, its aim onto
        // the board.
        QObject::connect(&play, &NetPlay::invitationAccepted, [this] { match.begin(); });
        QObject::connect(&play, &NetPlay::inviteAnswered, &match, &Match::peerAnswered);
        QObject::connect(&play, &NetPlay::peerFired, &match, &Match::peerShot);
        QObject::connect(&play, &NetPlay::peerAimed,
                         [this](int col, int row) { windows.aims.emplace_back(col, row); });
        QObject::connect(&match, &Match::modeChanged, [this](bool inMatch) {
            if (inMatch)
                matchOf(game).gameOver = false;
        });
        QObject::connect(&match, &Match::captionChanged,
                         [this](Match::Side side, const QString &caption) {
                             if (side == Match::Side::Opponent)
                                 windows.opponentCaption = caption;
                         });
        QObject::connect(&match, &Match::idleTick, [this] { play.showConnectionState(); });
        QObject::connect(&match, &Match::statisticsDue, [this] {
            ++statisticsShown;
            match.statisticsClosed();
        });
        placeFleet();
    }

    void placeFleet()
    {
        clearBoard(game.boards().ownBoard, game.boards().placedFleet);
        generateFleet(game.boards().ownBoard, game.boards().placedFleet, game.boards().areaSize,
                      random);
    }

    // MatchDialogs
    void generateOpponentFleet(Board &board) override
    {
        FleetCounts scratch;
        generateFleet(board, scratch, game.boards().areaSize, random);
    }
};

// A board as its wire text.
inline QByteArray boardText(const Board &board)
{
    return QByteArray::fromStdString(boardToText(board));
}

// The wire text of a legal fleet drawn from random.
inline QByteArray randomFleet(Random &random)
{
    Board fleet{};
    fleet.fill(CellWater);
    FleetCounts counts;
    generateFleet(fleet, counts, 10, random);
    return boardText(fleet);
}

// Start on the side, and the wait for the peer's answer when it invites:
// true when the match began.
inline bool pressStart(Side &side)
{
    if (side.match.begin())
        return true;
    waitFor([&] { return side.play.agreement().phase() != AgreementPhase::AwaitingAnswer; }, 10000);
    return matchOf(side.game).gameInProgress;
}

// "Ок!" on side a with b's address, then waits until both are linked and
// each status line names the other player.
inline bool link(Side &a, Side &b)
{
    a.play.startServer();
    b.play.startServer();
    a.windows.address = b.address;
    a.windows.host.clear();
    a.play.connectToPeer();
    const QString size = QString::number(a.game.boards().areaSize);
    return waitFor([&] {
        return a.play.peerConnected() && b.play.peerConnected() &&
               a.windows.sawStatus(QStringLiteral("Your opponent: ") +
                                   b.game.settings().playerName + QStringLiteral(" (area size: ") +
                                   size + u')') &&
               b.windows.sawStatus(QStringLiteral("Your opponent: ") +
                                   a.game.settings().playerName + QStringLiteral(" (area size: ") +
                                   size + u')');
    });
}

// Speaks to a side byte by byte, from its own loopback address: it connects
// to the side and listens for the side's connection back.
class RawPeer
{
public:
    QTcpServer server;
    QTcpSocket out;
    std::vector<QTcpSocket *> accepted;
    PacketReader reader;
    std::vector<std::pair<char, PacketFields>> received;

    RawPeer(const QString &localAddress, int port)
    {
        server.listen(QHostAddress(localAddress), static_cast<quint16>(port));
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket *socket = server.nextPendingConnection()) {
                accepted.push_back(socket);
                QObject::connect(socket, &QTcpSocket::readyRead, [this, socket] {
                    reader.append(socket->readAll());
                    PacketFields fields;
                    for (char type; (type = reader.next(fields)) != kNoPacket;)
                        received.emplace_back(type, fields);
                });
            }
        });
        out.bind(QHostAddress(localAddress), 0);
    }

    bool connectTo(const QString &address, int port)
    {
        out.connectToHost(address, static_cast<quint16>(port));
        return out.waitForConnected(3000);
    }

    void send(const QByteArray &bytes)
    {
        out.write(bytes);
        out.flush();
    }
    void sendPacket(const QByteArray &body) { send(body + "|TWKENDP|"); }

    int count(char type) const
    {
        int n = 0;
        for (const auto &[t, f] : received)
            n += t == type;
        return n;
    }
    const PacketFields *last(char type) const
    {
        for (auto it = received.rbegin(); it != received.rend(); ++it)
            if (it->first == type)
                return &it->second;
        return nullptr;
    }
};

// The side listens, and the raw peer links to it with a connection invite as
// "Eve", as a plain peer's "Ок!" would.
inline bool linkRawPeer(Side &side, RawPeer &peer, int port)
{
    side.play.startServer();
    if (!peer.connectTo(side.address, port))
        return false;
    peer.sendPacket(makeConnectionInvite(QStringLiteral("Eve"), 10));
    return waitFor([&] { return side.play.peerConnected() && peer.count('C') == 1; });
}

} // namespace tw::test
