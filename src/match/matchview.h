// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/board.h"

#include <QString>
#include <functional>

namespace tw {

// What a match must ask the windows and wait for: its message boxes and the
// generator of the computer's fleet. What it merely tells them goes out as
// Match's signals.
class MatchDialogs
{
public:
    enum class Box
    {
        FleetIncomplete,
        NoPlayerName,
        ConfirmAbort
    };

    virtual ~MatchDialogs() = default;

    // Opens one of the match's message boxes and returns at once; answered,
    // if set, hears later whether the player pressed OK.
    virtual void ask(Box box, std::function<void(bool)> answered = {}) = 0;
    // Fills the board with a random fleet, showing the generator's progress.
    virtual void generateOpponentFleet(Board &board) = 0;
};

// The sounds of a match, by name: the match chooses its cues itself.
class MatchSounds
{
public:
    virtual ~MatchSounds() = default;

    virtual void playSound(const QString &name) = 0;
    virtual void playMusic(const QString &name) = 0;
};

} // namespace tw
