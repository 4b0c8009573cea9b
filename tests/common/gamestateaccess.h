// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "match/gamestate.h"

namespace tw {

struct GameStateTestAccess
{
    static MatchState &match(GameState &game) { return game.m_match; }
};

// The match state, writable: tests set a match up part-way through, or
// read it where the match has just written it.
inline MatchState &matchOf(GameState &game)
{
    return GameStateTestAccess::match(game);
}

} // namespace tw
