// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/board.h"

#include <QString>
#include <optional>

namespace tw {

// What an agreement with the peer settled for the match it begins.
struct AgreedMatch
{
    QString opponentName;
    Board opponentBoard{}; // the peer's fleet, armed
    bool playerFirst = false;
};

// The network as a match sees it. NetPlay is the real one; a computer match
// on an unlinked program finds no peer in it.
class PeerChannel
{
public:
    virtual ~PeerChannel() = default;

    // Both one-way links join this program to a peer.
    virtual bool peerConnected() const = 0;
    enum class Invitation
    {
        NotNeeded, // no peer, or the player accepted the peer's invitation
        Sent,      // the answer follows as Match::peerAnswered()
    };

    // The network step of Start: whether the match may begin now or waits
    // for the peer's answer to the invitation just sent.
    virtual Invitation invitePeer() = 0;
    // The terms agreed for the match that begins now, handed over once;
    // nothing when no agreement with a peer was reached.
    virtual std::optional<AgreedMatch> takeAgreedMatch() = 0;
    // The agreed match is over: a next one needs a new agreement.
    virtual void agreedMatchOver() = 0;
    // The player's shot at the 0-based cell.
    virtual void sendShot(int col, int row) = 0;
    // The player aborted the match; harmless without a peer.
    virtual void sendGameAborted() = 0;
};

// Who plays the other side, decided when a match begins.
class Opponent
{
public:
    virtual ~Opponent() = default;

    // A network peer plays now: its shots come as packets, the texts name it
    // and there is no pause. False for the computer, which then moves at
    // the ticks of its turn.
    virtual bool isPeer() const = 0;
    // The player fired at the 0-based cell; a peer hears of it before the
    // shot is resolved here.
    virtual void playerFired(int col, int row) = 0;
};

class ComputerOpponent final : public Opponent
{
public:
    bool isPeer() const override { return false; }
    void playerFired(int, int) override {}
};

// A peer plays while its link holds. When the link drops mid-match, the
// computer takes the peer's turns (on the peer's fleet) until the match ends,
// and the end texts name the computer; should the link come back, the peer
// plays again.
class PeerOpponent final : public Opponent
{
public:
    // Precondition: channel outlives this object.
    explicit PeerOpponent(PeerChannel &channel) : m_channel(channel) {}

    bool isPeer() const override { return m_channel.peerConnected(); }
    void playerFired(int col, int row) override
    {
        if (isPeer())
            m_channel.sendShot(col, row);
    }

private:
    PeerChannel &m_channel;
};

} // namespace tw
