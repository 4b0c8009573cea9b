// SPDX-License-Identifier: GPL-3.0-or-later
#include "cues.h"

namespace tw {

namespace {

struct CueVariants
{
    const char *name;
    int count;
};

// Indexed by ShotCue.
constexpr CueVariants CueTable[] = {{"explos", 6}, {"destroy", 5}, {"wrong", 3}};

} // namespace

QString drawCue(ShotCue cue, Random &random)
{
    const CueVariants &variants = CueTable[static_cast<int>(cue)];
    return QString::fromLatin1(variants.name) + QString::number(random.randInt(variants.count) + 1);
}

QString shotCue(ShotOutcome outcome, Random &random)
{
    QString cue =
        drawCue(outcome == ShotOutcome::Miss ? ShotCue::Miss : ShotCue::Explosion, random);
    if (outcome == ShotOutcome::Destroyed)
        cue = drawCue(ShotCue::Destroy, random);
    return cue;
}

} // namespace tw
