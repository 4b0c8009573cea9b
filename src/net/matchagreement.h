// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Agreeing a network match with the peer: this side's invitation and the
// wait for its answer, the peer's invitation and the player's answer to it,
// refusals, and invitations that cross. An agreement reached is handed to
// the match as it begins (takeAgreedMatch()).

#include "match/gamestate.h"
#include "match/opponent.h"
#include "model/random.h"
#include "net/netplayprompts.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <optional>

namespace tw {

class PacketFields;
class PeerConnection;

// Where agreeing a network match with the peer stands.
enum class AgreementPhase
{
    None,           // nothing under way; also while an agreed match runs
    AwaitingAnswer, // this side invited the peer; Start waits for the answer
    InviteAccepted, // the peer accepted, or its invitation crossed this side's
    InviteDeclined, // the peer refused, or the link was lost while waiting
    AcceptedByUs,   // the player accepted the peer's invitation; Start follows
};

class MatchAgreement : public QObject
{
    Q_OBJECT
public:
    // Precondition: prompts and connection outlive the agreement.
    MatchAgreement(const GameState &game, NetPlayPrompts &prompts, PeerConnection &connection,
                   QObject *parent = nullptr);

    // The network step of Start: invites the peer, behind the waiting
    // window; answered() follows. NotNeeded without a peer, or when the
    // player accepted the peer's invitation.
    PeerChannel::Invitation invitePeer();
    // The player has an invitation of the peer to answer.
    bool invitationPending() const { return m_questionPending; }

    // The peer's area data packet (A): an invitation or an answer.
    void handleAreaData(const PacketFields &fields);

    AgreementPhase phase() const { return m_phase; }
    // The peer's board is being agreed on: it is not shown.
    bool hidesOpponentBoard() const { return m_phase != AgreementPhase::None; }
    // The match begins: the peer's fleet and name and who fires first, when
    // an agreement was reached; the agreement is then done with.
    std::optional<AgreedMatch> takeAgreedMatch();
    // The agreed match is over (or never began): a next one needs a new
    // agreement. A wait for an answer is left as it is.
    void agreedMatchOver();

signals:
    // The peer answered this side's invitation (false also when the link was
    // lost meanwhile). On Yes the peer's board is taken and the turn set:
    // the match must begin before control returns to the event loop, as the
    // peer's first shot may follow at once.
    void answered(bool accepted);
    // The player accepted the peer's invitation and the reply has left:
    // Start follows. When the handlers return without a match begun, the
    // agreement is dropped.
    void accepted();
    // The peer refused this side's invitation: a modal box, so emitted from
    // the event loop, never inside the packet's handling.
    void refused(const QString &text);
    // The waiting window shown, with the main window and the editor
    // disabled; or hidden, with both enabled again.
    void waitingChanged(bool shown);
    // The peer's name over the opponent board, when its fleet is taken.
    void opponentCaptionChanged(const QString &caption);
    // hidesOpponentBoard() changed.
    void opponentBoardHiddenChanged(bool hidden);

private:
    // The fuzzer puts the agreement in any phase.
    friend struct MatchAgreementTestAccess;

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
        // The peer's own invitation, sent before ours could reach it, taken
        // as the answer to ours.
        bool crossed = false;
    };

    void setPhase(AgreementPhase phase);
    bool peerConnected() const;
    bool waitingForAnswer() const;
    // Whether this side fires first, given the area data packet that the
    // wait for an answer took as the answer.
    bool firesFirstAfterAnswer(const Invitation &answer) const;
    bool readyFor(int areaSize) const;
    void askInvitation();
    // The player answered the peer's invitation.
    void invitationAnswered(bool yes);
    void takePeerBoard(const Invitation &invitation);
    void sendAreaData(bool accepted, char startDigit);
    // This side's invitation was refused: the wait ends, the player is told.
    void noteRefusal();
    void decline(char startDigit);
    // The peer's invitation, or its answer, accepted while this side waits.
    void takeAnswer(const Invitation &answer);
    // The wait for an answer is over: the waiting window goes, answered()
    // follows.
    void endWait();

    const GameState &m_game;
    NetPlayPrompts &m_prompts;
    PeerConnection &m_connection;
    // An invitation of the peer waits for the player. Beside the phase, not
    // in it: the player may press Start while it waits, and the two
    // invitations then cross.
    bool m_questionPending = false;
    Invitation m_invitation;
    // Draws the start digit of an accepting reply.
    Random m_random;
    // This side's invitation waits for its answer, behind the waiting window.
    bool m_waiting = false;
    AgreementPhase m_phase = AgreementPhase::None;
    // Valid while the phase is InviteAccepted or AcceptedByUs.
    AgreedMatch m_agreed;
};

} // namespace tw
