// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/random.h"
#include "model/shots.h"

#include <QString>

namespace tw {

// The sound effects of a shot. Each comes in numbered variants, which the
// sound player finds by name ("explos1".."explos6", "destroy1".."destroy5",
// "wrong1".."wrong3").
enum class ShotCue
{
    Explosion,
    Destroy,
    Miss
};

// The name of one variant of the cue, drawn from random.
QString drawCue(ShotCue cue, Random &random);

// The effect of a shot with this outcome. Every shot draws in a fixed order,
// which the generator's sequence depends on: a destroyed ship draws the
// explosion first, then the destruction that plays, as a hit followed by
// the sinking always has.
QString shotCue(ShotOutcome outcome, Random &random);

} // namespace tw
