// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/matchagreement.h"

#include "model/board.h"
#include "model/placement.h"
#include "model/shots.h"
#include "net/cointoss.h"
#include "net/nettext.h"
#include "net/packet.h"
#include "net/peerconnection.h"

#include <QTimer>

namespace tw {

namespace {

// A received board that may be played against: exactly the 225 letters of a
// board holding a complete, legal fleet for the area in the placement phase.
bool readPeerFleet(QByteArrayView text, int areaSize, Board &board)
{
    if (text.size() != BoardCells)
        return false;
    if (!textToBoard(std::string_view(text.data(), static_cast<std::size_t>(text.size())), board))
        return false;
    return isLegalFleet(board, areaSize);
}

} // namespace

MatchAgreement::MatchAgreement(const GameState &game, NetPlayPrompts &prompts,
                               PeerConnection &connection, QObject *parent)
    : QObject(parent), m_game(game), m_prompts(prompts), m_connection(connection)
{
    m_random.seedFromClock();
    // A link lost while this side waits ends the wait as a refusal. Queued:
    // the loss may be noted inside a packet's handling or a socket's signal;
    // the wait ends from the event loop, if the link is still down then.
    connect(
        &m_connection.link(), &PeerLink::peerLost, this,
        [this] {
            if (waitingForAnswer() && !peerConnected()) {
                setPhase(AgreementPhase::InviteDeclined);
                endWait();
            }
        },
        Qt::QueuedConnection);
}

void MatchAgreement::setPhase(AgreementPhase phase)
{
    const bool wasHidden = hidesOpponentBoard();
    m_phase = phase;
    if (hidesOpponentBoard() != wasHidden)
        emit opponentBoardHiddenChanged(hidesOpponentBoard());
}

std::optional<AgreedMatch> MatchAgreement::takeAgreedMatch()
{
    const bool agreed =
        m_phase == AgreementPhase::InviteAccepted || m_phase == AgreementPhase::AcceptedByUs;
    setPhase(AgreementPhase::None);
    if (!agreed)
        return std::nullopt;
    return m_agreed;
}

void MatchAgreement::agreedMatchOver()
{
    if (m_phase == AgreementPhase::AcceptedByUs)
        setPhase(AgreementPhase::None);
}

bool MatchAgreement::peerConnected() const
{
    return m_connection.peerConnected();
}

bool MatchAgreement::waitingForAnswer() const
{
    return m_phase == AgreementPhase::AwaitingAnswer;
}

bool MatchAgreement::readyFor(int areaSize) const
{
    Readiness facts;
    facts.gameInProgress = m_game.match().gameInProgress;
    facts.fleetComplete = fleetComplete(m_game.boards().placedFleet);
    facts.hasPlayerName = !m_game.settings().playerName.isEmpty();
    facts.areaSize = m_game.boards().areaSize;
    facts.modalBusy = m_game.modalBusy();
    return readyForNetworkGame(areaSize, facts);
}

void MatchAgreement::sendAreaData(bool accepted, char startDigit)
{
    sendPacket(m_connection.link(),
               makeAreaData(m_game.settings().playerName, m_game.boards().areaSize,
                            QString::fromLatin1(ownBoardText(m_game)), accepted, startDigit));
}

void MatchAgreement::noteRefusal()
{
    setPhase(AgreementPhase::InviteDeclined);
    const QString text =
        catalogueOf(m_game.settings())
            .translate("MatchAgreement",
                       "The user doesn't ready to game, or area sizes miscoincide.");
    QTimer::singleShot(0, this, [this, text] { emit refused(text); });
    endWait();
}

void MatchAgreement::decline(char startDigit)
{
    // Answered even while this side waits for its own answer: when the two
    // invitations crossed, the peer waits for one too.
    sendAreaData(false, startDigit);
    noteRefusal();
}

void MatchAgreement::takePeerBoard(const Invitation &invitation)
{
    m_agreed.opponentBoard = invitation.board;
    armBoard(m_agreed.opponentBoard, m_game.boards().areaSize);
    m_agreed.opponentName = invitation.name;
    emit opponentCaptionChanged(u' ' + invitation.name + u' ');
}

// Who fires first. The invited side draws it at random and sends it back as
// the start digit: "1" when it fires first itself, "0" when the inviting side
// does; the inviting side always obeys it.
//
// When both players press Start at about the same time, the two invitations
// cross: each side, waiting for its answer, receives the other's invitation
// and takes it for the answer. An invitation's "1" and an accepting "1" are
// the same on the wire, so only the marker of this program's invitations
// (kTossingInvitationStart) tells a crossing apart. With the marker, both
// sides are this program and each tosses firesFirst() over the two fleets and
// names, which gives exactly one of them the first shot. Without it an
// answer's start digit is obeyed as it stands. A peer that does not toss reads
// our invitation in a crossing as an answer whose start field is not "0", and
// so waits for our shot: this side fires first. A crossing shows in the
// timing, as the wire cannot tell an invitation's "1" from an answer's: the
// peer's invitation had reached this machine before ours left, or was still
// waiting for its question when Start was pressed.
bool MatchAgreement::firesFirstAfterAnswer(const Invitation &answer) const
{
    if (answer.tossing)
        return firesFirst(ownBoardText(m_game), wireText(m_game.settings().playerName),
                          answer.boardText, answer.nameBytes);
    if (answer.crossed)
        return true;
    return answer.startField == "0";
}

void MatchAgreement::handleAreaData(const PacketFields &fields)
{
    const QByteArray &answer = fields.payload(4);
    const QByteArray &start = fields.payload(5);
    const char startDigit = start.isEmpty() ? '1' : start.front();
    if (answer != "Y") {
        // Only an answer to this side's invitation; any other refusal is noise.
        if (waitingForAnswer())
            noteRefusal();
        return;
    }

    Invitation invitation;
    invitation.nameBytes = fields.payload(1);
    invitation.name = peerName(invitation.nameBytes);
    invitation.boardText = fields.payload(3);
    invitation.startDigit = startDigit;
    invitation.startField = start;
    invitation.tossing = start == kTossingInvitationStart;
    const std::optional<int> areaSize = decimalField(fields.payload(2));
    const bool acceptable = areaSize && readyFor(*areaSize) &&
                            readPeerFleet(invitation.boardText, *areaSize, invitation.board);

    if (waitingForAnswer()) {
        if (!acceptable || (start != "0" && start != "1" && !invitation.tossing)) {
            decline(startDigit);
            return;
        }
        invitation.crossed = m_connection.link().deliveringMarked();
        takeAnswer(invitation);
        return;
    }
    // A second invitation while the player still has a first one to answer,
    // or one that comes while this side's own wait is ending, is refused.
    if (!acceptable || m_questionPending || hidesOpponentBoard()) {
        sendAreaData(false, startDigit);
        return;
    }
    // Asked from the event loop, once this packet's handling is done.
    m_questionPending = true;
    m_invitation = invitation;
    QTimer::singleShot(0, this, &MatchAgreement::askInvitation);
}

void MatchAgreement::askInvitation()
{
    if (!m_questionPending)
        return;
    const Invitation invitation = m_invitation;
    if (waitingForAnswer()) {
        // The player pressed Start before the question came up: the
        // invitations crossed, and the peer's counts as the answer.
        m_questionPending = false;
        Invitation crossed = invitation;
        crossed.crossed = true;
        takeAnswer(crossed);
        return;
    }
    if (hidesOpponentBoard() || m_game.match().gameInProgress || !peerConnected()) {
        m_questionPending = false;
        sendAreaData(false, invitation.startDigit);
        return;
    }
    const QString text =
        catalogueOf(m_game.settings())
            .translate("MatchAgreement", "The player %1 inviting you to a new game. At this moment "
                                         "you're ready to play. Do you want to start game?")
            .arg(invitation.name);
    // Still pending while the question is open: a second invitation is
    // refused meanwhile.
    m_prompts.askInvitation(text, [this](bool yes) { invitationAnswered(yes); });
}

void MatchAgreement::invitationAnswered(bool yes)
{
    if (!m_questionPending)
        return;
    m_questionPending = false;
    const Invitation invitation = m_invitation;
    // The link and the game went on while the question was open.
    if (!yes || !peerConnected() || !readyFor(m_game.boards().areaSize) || hidesOpponentBoard()) {
        sendAreaData(false, invitation.startDigit);
        return;
    }

    setPhase(AgreementPhase::AcceptedByUs);
    takePeerBoard(invitation);
    const bool weFireFirst = m_random.randInt(2) == 1;
    m_agreed.playerFirst = weFireFirst;
    // The reply leaves before the match begins; Start then begins it.
    sendAreaData(true, weFireFirst ? '1' : '0');
    emit accepted();
    if (m_phase == AgreementPhase::AcceptedByUs) // Start refused to begin
        setPhase(AgreementPhase::None);
}

PeerChannel::Invitation MatchAgreement::invitePeer()
{
    if (!peerConnected() || m_phase == AgreementPhase::AcceptedByUs)
        return PeerChannel::Invitation::NotNeeded;
    setPhase(AgreementPhase::AwaitingAnswer);
    // What the peer has sent so far was sent before our invitation could
    // reach it: an invitation among it is the peer's own, not an answer.
    m_connection.link().markReceived();
    sendPacket(m_connection.link(),
               makeInvitation(m_game.settings().playerName, m_game.boards().areaSize,
                              QString::fromLatin1(ownBoardText(m_game))));
    m_waiting = true;
    emit waitingChanged(true);
    return PeerChannel::Invitation::Sent;
}

void MatchAgreement::takeAnswer(const Invitation &answer)
{
    takePeerBoard(answer);
    m_agreed.playerFirst = firesFirstAfterAnswer(answer);
    setPhase(AgreementPhase::InviteAccepted);
    endWait();
}

void MatchAgreement::endWait()
{
    if (!m_waiting)
        return; // no invitation of this side's waits
    m_waiting = false;
    emit waitingChanged(false);
    if (m_phase == AgreementPhase::InviteDeclined) {
        setPhase(AgreementPhase::None);
        emit answered(false);
        return;
    }
    emit answered(true);
}

} // namespace tw
