// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Network play: linking two programs, the packet dispatcher, agreeing a
// match, the match-time traffic and the chat. Headless; the windows come in
// through signals and NetPlayPrompts, so two of these can play each other in one test
// process. The link's upkeep is PeerConnection's, the agreement on a match
// MatchAgreement's; this class hands each packet to its owner and carries
// the match and the chat. What the windows are told goes out as the signals
// below (theirs forwarded), each emitted as it happens, so a window connects
// only what it shows; what network play must ask comes through
// NetPlayPrompts.

#include "match/gamestate.h"
#include "match/opponent.h"
#include "net/cointoss.h"
#include "net/link.h"
#include "net/matchagreement.h"
#include "net/netplayprompts.h"
#include "net/nettext.h"
#include "net/peerconnection.h"

#include <QObject>
#include <QString>
#include <optional>
#include <utility>

namespace tw {

// Also the dispatcher of its link: every packet an accepted connection
// delivers goes to handlePacket(); and the peer's channel of a match, whose
// shots go out through it and come back as peerFired().
class NetPlay : public QObject, public PacketHandler, public PeerChannel
{
    Q_OBJECT
public:
    static constexpr int kMaxNameLength = kMaxPeerNameLength;

    // Precondition: prompts outlive the network play.
    NetPlay(GameState &game, NetPlayPrompts &prompts, QObject *parent = nullptr);
    ~NetPlay() override;

    PeerLink &link() { return m_connection.link(); }
    PeerConnection &connection() { return m_connection; }
    MatchAgreement &agreement() { return m_agreement; }

    int serverPort() const { return m_connection.serverPort(); }
    void setServerPort(int port) { m_connection.setServerPort(port); }

    // (Re)starts listening on serverPort, reporting in the status line.
    void startServer() { m_connection.startServer(); }
    // "Ok!": connect to the peer in the address, host and port fields.
    void connectToPeer() { m_connection.connectToPeer(); }
    // "No!": drop the outgoing connection.
    void disconnectFromPeer() { m_connection.disconnectFromPeer(); }
    bool peerConnected() const override { return m_connection.peerConnected(); }
    // The player has an invitation of the peer to answer.
    bool invitationPending() const { return m_agreement.invitationPending(); }
    // Each turn-timer tick while no match runs: lamp and status.
    void showConnectionState() { m_connection.showConnectionState(); }

    // The user info change packet. Callers test the link.
    void sendUserInfo() { m_connection.sendUserInfo(); }
    void sendUserInfoIfIdle() { m_connection.sendUserInfoIfIdle(); }

    // The network step of Start: invites the peer; the answer follows as
    // inviteAnswered().
    Invitation invitePeer() override { return m_agreement.invitePeer(); }
    std::optional<AgreedMatch> takeAgreedMatch() override;
    void agreedMatchOver() override { m_agreement.agreedMatchOver(); }
    void sendShot(int col, int row) override;
    void sendGameAborted() override;
    // The shared-aim step of the indicator tick: the aimed 0-based cell,
    // -1 while nothing is aimed at.
    void sendAim(int col, int row);
    // Enter in the chat input line.
    void chatSend();

    // readIncoming, one packet at a time (the link cuts them):
    // the state filter, the from-the-peer rule and the packet's handler.
    void handlePacket(char type, const PacketFields &fields,
                      const IncomingConnection &from) override;

signals:
    // A shot packet at the 0-based cell of the own board; connect it to
    // Match::peerShot(), which refuses what does not count.
    void peerFired(int col, int row);
    // The peer aims at the 0-based cell of the own board.
    void peerAimed(int col, int row);
    // The player accepted the peer's invitation, which is answered: Start
    // follows, on behalf of the player. When the handlers return without a
    // match begun, the agreement is dropped.
    void invitationAccepted();
    // The peer answered this side's invitation; connect it to
    // Match::peerAnswered().
    void inviteAnswered(bool accepted);
    // A shot packet left for the peer (the 0-based cell).
    void shotSent(int col, int row);

    // The network options: the status line, the lamp (at each idle tick),
    // "Ok!" enabled, and text filled into the address, host and port fields.
    void statusChanged(const QString &text);
    void lampShown(bool linked);
    void connectEnabledChanged(bool enabled);
    void addressFilled(const QString &text);
    void hostFilled(const QString &text);
    void portFilled(const QString &text);
    void soundRequested(const QString &name);

    // The chat window: a line for its history; its input line was sent.
    void chatLineAdded(const QString &line);
    void chatInputCleared();

    // Modal boxes, emitted from the event loop, never inside a packet's
    // handling: their loops would stop the connection that delivered it.
    // This side's invitation was refused; the peer left the match.
    void invitationRefused(const QString &text);
    void peerAborted(const QString &text);

    // The waiting window shown, with the main window and the editor
    // disabled; or hidden, with both enabled again.
    void waitingChanged(bool shown);
    void opponentCaptionChanged(const QString &caption);
    // The peer's board is being agreed on and must not be shown, or no more.
    void opponentBoardHiddenChanged(bool hidden);

private:
    void handleChat(const PacketFields &fields);
    void handleGameAborted(const PacketFields &fields);
    void handleShotData(const PacketFields &fields);
    void handleTargetCoords(const PacketFields &fields);

    GameState &m_game;
    NetPlayPrompts &m_prompts;
    PeerConnection m_connection;
    MatchAgreement m_agreement;
    bool m_abortNoticePending = false;
    // The aim last sent to the peer in this match, sent again only when it
    // moves; none at a match's start, so its first aim always goes out.
    std::optional<std::pair<int, int>> m_sentAim;
};

} // namespace tw
