// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

namespace tw {

// What network play must ask the windows at the moment it acts: the fields
// it reads, the player's answer to an invitation, and a miss cue drawn then
// (from the game's random source, whose draw order the matches depend on).
// What it merely tells the windows goes out as NetPlay's signals.
class NetPlayPrompts
{
public:
    virtual ~NetPlayPrompts() = default;

    // The network options' address, host name and port fields.
    virtual QString addressField() = 0;
    virtual QString hostField() = 0;
    virtual QString portField() = 0;
    // The chat window's input line.
    virtual QString chatInput() = 0;
    // Opens the invitation question and returns at once; answered hears
    // later whether the player said Yes. The connection goes on meanwhile.
    virtual void askInvitation(const QString &text, std::function<void(bool)> answered) = 0;
    virtual QString missCue() = 0;
};

} // namespace tw
