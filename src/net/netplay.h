#pragma once

// Network play: linking two programs, the packet dispatcher, agreeing a
// match, the match-time traffic and the chat. Headless; the windows come in
// through NetPlayHost, so two of these can play each other in one test
// process.

#include "match/gamestate.h"
#include "model/random.h"
#include "net/link.h"

#include <QObject>
#include <QString>

namespace tw {

// What network play needs from the windows.
class NetPlayHost
{
public:
    virtual ~NetPlayHost() = default;

    // The network options: address, host name and port fields, "Ок!", the
    // status line and the connection lamp.
    virtual QString addressField() = 0;
    virtual QString hostField() = 0;
    virtual QString portField() = 0;
    virtual void setAddressField(const QString &text) = 0;
    virtual void setHostField(const QString &text) = 0;
    virtual void setPortField(const QString &text) = 0;
    virtual void setConnectEnabled(bool enabled) = 0;
    virtual void showStatus(const QString &text) = 0;
    virtual void setLamp(bool linked) = 0;

    virtual void playSound(const QString &name) = 0;
    virtual QString missCue() = 0;

    // The chat window: its input line and its history.
    virtual QString chatInput() = 0;
    virtual void clearChatInput() = 0;
    virtual void addChatLine(const QString &line) = 0;

    // Modal boxes. Never called from inside a packet's handling: their loops
    // would stop the connection that delivered it.
    virtual bool askInvitation(const QString &text) = 0; // true for Yes
    virtual void showRefusal(const QString &text) = 0;
    virtual void showPeerAborted(const QString &text) = 0;

    // The waiting window shown, with the main window and the editor
    // disabled; or hidden, with both enabled again.
    virtual void showWaiting(bool shown) = 0;
    virtual void setOpponentBoardCaption(const QString &caption) = 0;
    virtual void paintOpponentBoard() = 0;
    // Start, on behalf of a player who accepted an invitation; runs the match
    // and returns when it is over.
    virtual void pressStart() = 0;
    // The peer's shot at the 0-based cell of the own board; true after a hit.
    virtual bool opponentShot(int col, int row) = 0;
    // The peer aims at the 0-based cell of the own board.
    virtual void showPeerAim(int col, int row) = 0;
};

// Who fires first when two invitations of this program cross, as both sides
// can work it out alike: a coin
// tossed from the two fleets (board texts) and player names, which both
// sides hold once the boards are exchanged. True when the side `own` fires
// first; exactly one of two sides with different texts or names does. With
// the same board and the same name on both sides the answer is false for
// both.
bool firesFirst(QByteArrayView ownBoard, QByteArrayView ownName, QByteArrayView peerBoard,
                QByteArrayView peerName);

// Also the dispatcher of its link: every packet an accepted connection
// delivers goes to handlePacket().
class NetPlay : public QObject, public PacketHandler
{
    Q_OBJECT
public:
    static constexpr int kDefaultPort = 8170;
    // Taken when the port field holds a number outside 0..2147483647.
    static constexpr int kFallbackPort = 8169;
    // Peer names are cut to the length of a player name.
    static constexpr int kMaxNameLength = 32;

    NetPlay(GameState &game, NetPlayHost &host, QObject *parent = nullptr);
    ~NetPlay() override;

    PeerLink &link() { return m_link; }

    int serverPort() const { return m_serverPort; }
    void setServerPort(int port) { m_serverPort = port; }

    // (Re)starts listening on serverPort, reporting in the status line.
    void startServer();
    // "Ок!": connect to the peer in the address, host and port fields.
    void connectToPeer();
    // "No!": drop the outgoing connection.
    void disconnectFromPeer();
    bool peerConnected() const { return m_link.peerConnected(); }
    // The player has an invitation of the peer to answer.
    bool invitationPending() const { return m_questionPending; }
    // Each turn-timer tick while no match runs: lamp and status.
    void showConnectionState();

    // The user info change packet. Callers test the link.
    void sendUserInfo();
    void sendUserInfoIfIdle();

    // The network step of Start: invites the peer and waits for the answer
    // in a nested event loop. True when the match may begin.
    bool invitePeer();
    void sendShot(int col, int row);
    void sendGameAborted();
    // The shared-aim step of the indicator tick.
    void sendAim();
    // Enter in the chat input line.
    void chatSend();

    // readIncoming, one packet at a time (the link cuts them):
    // the state filter, the from-the-peer rule and the packet's handler.
    void handlePacket(char type, const PacketFields &fields,
                      const IncomingConnection &from) override;

private:
    // An invitation waiting for the player's answer.
    struct Invitation
    {
        QString name;
        QByteArray nameBytes;
        QByteArray boardText;
        Board board{};
        char startDigit = '1';
        QByteArray startField;
        // Sent by this program, which settles crossing invitations by the
        // toss (kTossingInvitationStart).
        bool tossing = false;
    };

    void onConnected();
    void onConnectError();
    void onClientHostNameFound(const QString &name);

    bool fromPeer(const IncomingConnection &from) const;
    void handleConnectionInvite(const PacketFields &fields, const IncomingConnection &from);
    void handleUserInfo(const PacketFields &fields);
    void handleChat(const PacketFields &fields);
    void handleAreaData(const PacketFields &fields);
    void handleGameAborted(const PacketFields &fields);
    void handleShotData(const PacketFields &fields);
    void handleTargetCoords(const PacketFields &fields);

    bool waitingForAnswer() const;
    // Whether this side fires first, given the area data packet that the
    // wait for an answer took as the answer.
    bool firesFirstAfterAnswer(const Invitation &answer) const;
    bool readyFor(int areaSize) const;
    void askInvitation();
    void takePeerBoard(const Invitation &invitation);
    void sendAreaData(bool accepted, char startDigit);
    // This side's invitation was refused: the wait ends, the player is told.
    void noteRefusal();
    void decline(char startDigit);
    void showOpponentStatus(const QString &name, int areaSize);
    void showStatus(const QString &text);
    // The English or the Russian text, as the interface language is now.
    QString localized(const char *english, const char *russian) const;

    GameState &m_game;
    NetPlayHost &m_host;
    PeerLink m_link;
    int m_serverPort = kDefaultPort;
    QString m_status;               // the status text last shown
    bool m_questionPending = false; // an invitation waits for the player
    Invitation m_invitation;
    bool m_abortNoticePending = false;
    // Draws the start digit of an accepting reply.
    Random m_random;
};

} // namespace tw
