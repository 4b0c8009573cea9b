// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/board.h"

#include <QString>

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

    // Shows one of the match's message boxes (modal); true for OK.
    virtual bool ask(Box box) = 0;
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
