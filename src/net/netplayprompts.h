// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

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
    // The invitation question, modal; true for Yes. Never asked from inside
    // a packet's handling: its loop would stop the connection that delivered
    // it.
    virtual bool askInvitation(const QString &text) = 0;
    virtual QString missCue() = 0;
};

} // namespace tw
