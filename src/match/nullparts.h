// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Silent stand-ins for what a match works with: no windows, no sound, no
// network. Benchmarks, fuzzers and tests derive from them and override only
// what they watch.

#include "matchview.h"
#include "opponent.h"

namespace tw {

// Every box answered OK; the computer's fleet left as it is.
class NullMatchDialogs : public MatchDialogs
{
public:
    void ask(Box, std::function<void(bool)> answered) override
    {
        if (answered)
            answered(true);
    }
    void generateOpponentFleet(Board &) override {}
};

class NullMatchSounds : public MatchSounds
{
public:
    void playSound(const QString &) override {}
    void playMusic(const QString &) override {}
};

// A program with no peer: every match is against the computer.
class NoPeerChannel : public PeerChannel
{
public:
    bool peerConnected() const override { return false; }
    Invitation invitePeer() override { return Invitation::NotNeeded; }
    std::optional<AgreedMatch> takeAgreedMatch() override { return std::nullopt; }
    void agreedMatchOver() override {}
    void sendShot(int, int) override {}
    void sendGameAborted() override {}
};

} // namespace tw
