#pragma once

// Two programs' worth of network play in one process, on loopback: each side
// a NetPlay with its own game state, match and recording windows, listening
// on its own loopback address (127.0.0.1, 127.0.0.2, ...) and the same port,
// as two machines would. A RawPeer speaks the wire protocol byte by byte.

#include "match/match.h"
#include "match/nullhost.h"
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

inline bool WaitFor(const std::function<bool()> &condition, int timeoutMs = 5000)
{
    return QTest::qWaitFor(condition, timeoutMs);
}

// Lets the event loop run for a while: for things that must NOT happen.
inline void Settle(int ms = 150)
{
    QTest::qWait(ms);
}

// A port that is free on the loopback addresses the tests use.
inline int FreePort()
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::AnyIPv4, 0))
            continue;
        return probe.serverPort();
    }
    return 0;
}

// The windows of one side, recording what network play shows.
class FakeWindows : public NetPlayHost
{
public:
    QString address, host, port;
    bool connectEnabled = true;
    QStringList statuses;
    int lampLime = 0, lampRed = 0;
    QStringList sounds;
    QString chatInput;
    QStringList chatLines;
    QStringList asked, refusals, aborts;
    std::function<void()> whileAborted;
    std::deque<bool> answers; // scripted answers to invitations; No when empty
    std::function<void()> whileAsked;
    bool waiting = false;
    int waitingShown = 0;
    std::function<void()> whileWaiting;
    QString opponentCaption;
    int opponentPaints = 0;
    std::function<void()> pressStart;
    std::function<bool(int, int)> opponentShot;
    std::vector<std::pair<int, int>> aims;

    QString AddressField() override { return address; }
    QString HostField() override { return host; }
    QString PortField() override { return port; }
    void SetAddressField(const QString &text) override { address = text; }
    void SetHostField(const QString &text) override { host = text; }
    void SetPortField(const QString &text) override { port = text; }
    void SetConnectEnabled(bool enabled) override { connectEnabled = enabled; }
    void ShowStatus(const QString &text) override { statuses << text; }
    void SetLamp(bool linked) override { ++(linked ? lampLime : lampRed); }
    void PlaySound(const QString &name) override { sounds << name; }
    QString MissCue() override { return QStringLiteral("wrong1"); }
    QString ChatInput() override { return chatInput; }
    void ClearChatInput() override { chatInput.clear(); }
    void AddChatLine(const QString &line) override { chatLines << line; }
    bool AskInvitation(const QString &text) override
    {
        asked << text;
        if (whileAsked)
            whileAsked();
        if (answers.empty())
            return false;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
    void ShowRefusal(const QString &text) override { refusals << text; }
    void ShowPeerAborted(const QString &text) override
    {
        aborts << text;
        if (whileAborted)
            whileAborted();
    }
    void ShowWaiting(bool shown) override
    {
        waiting = shown;
        if (!shown)
            return;
        ++waitingShown;
        if (whileWaiting)
            std::exchange(whileWaiting, nullptr)();
    }
    void SetOpponentBoardCaption(const QString &caption) override { opponentCaption = caption; }
    void PaintOpponentBoard() override { ++opponentPaints; }
    void PressStart() override
    {
        if (pressStart)
            pressStart();
    }
    bool OpponentShot(int col, int row) override { return opponentShot && opponentShot(col, row); }
    void ShowPeerAim(int col, int row) override { aims.emplace_back(col, row); }

    bool sawStatus(const QString &text) const { return statuses.contains(text); }
};

// One program: game state, match, network play, windows.
class Side : public NullMatchHost
{
public:
    GameState game;
    Random random;
    FakeWindows windows;
    NetPlay play{game, windows};
    Match match{game, *this, random};
    QString address;
    int statisticsShown = 0;

    Side(const QString &name, const QString &localAddress, int port, std::uint32_t seed)
        : random(seed), address(localAddress)
    {
        SetDefaultScoreData(game.ScoreData);
        game.settings.PlayerName = name;
        play.link().setLocalAddress(QHostAddress(localAddress));
        play.setServerPort(port);
        windows.port = QString::number(port);
        // Start as the accepting side presses it: the match begins and the
        // test, not a nested loop, plays it.
        windows.pressStart = [this] { match.Begin(); };
        windows.opponentShot = [this](int col, int row) { return match.OpponentShot(col, row); };
        PlaceFleet();
    }

    void PlaceFleet()
    {
        ClearBoard(game.boards.OwnBoard, game.boards.PlacedFleet);
        GenerateFleet(game.boards.OwnBoard, game.boards.PlacedFleet, game.boards.AreaSize, random);
    }

    // MatchHost
    bool PeerConnected() override { return play.PeerConnected(); }
    bool InvitePeer() override { return play.InvitePeer(); }
    void SendShot(int col, int row) override { play.SendShot(col, row); }
    void SendGameAborted() override { play.SendGameAborted(); }
    void GenerateOpponentFleet(TBoard &board) override
    {
        TFleetCounts scratch;
        GenerateFleet(board, scratch, game.boards.AreaSize, random);
    }
    QString ExplosionCue() override { return QStringLiteral("explosion"); }
    QString DestroyCue() override { return QStringLiteral("destroy"); }
    QString MissCue() override { return QStringLiteral("wrong1"); }
    void EnterMatchLayout() override { game.match.GameOver = false; }
    void LeaveMatchLayout() override { game.agreement.AcceptedByUs = false; }
    void SetOpponentBoardCaption(const QString &caption) override
    {
        windows.opponentCaption = caption;
    }
    void ShowConnectionState() override { play.ShowConnectionState(); }
    void ShowStatistics() override { ++statisticsShown; }
    QDateTime Now() override { return QDateTime::currentDateTime(); }
};

// "Ок!" on side a with b's address, then waits until both are linked and
// each status line names the other player.
inline bool Link(Side &a, Side &b)
{
    a.play.StartServer();
    b.play.StartServer();
    a.windows.address = b.address;
    a.windows.host.clear();
    a.play.Button4Click();
    const QString size = QString::number(a.game.boards.AreaSize);
    return WaitFor([&] {
        return a.play.PeerConnected() && b.play.PeerConnected() &&
               a.windows.sawStatus(QStringLiteral("Your opponent: ") + b.game.settings.PlayerName +
                                   QStringLiteral(" (area size: ") + size + u')') &&
               b.windows.sawStatus(QStringLiteral("Your opponent: ") + a.game.settings.PlayerName +
                                   QStringLiteral(" (area size: ") + size + u')');
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

} // namespace tw::test
