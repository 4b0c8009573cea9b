// SPDX-License-Identifier: GPL-3.0-or-later
#include "remarks.h"

#include "gamestate.h"

#include <QtGlobal>

namespace tw {

namespace {

// What the computer says after a match it won or lost, %1 the player's name.
const char *const LossRemarks[10] = {
    QT_TRANSLATE_NOOP("Remarks", "It's not your day, %1."),
    QT_TRANSLATE_NOOP("Remarks", "%1, you should sleep for a some time."),
    QT_TRANSLATE_NOOP("Remarks", "What's the hell, %1? How you did this?"),
    QT_TRANSLATE_NOOP("Remarks", "Aaaaargh, %1..."),
    QT_TRANSLATE_NOOP("Remarks", "Did you see the \"Matrix\" movie, %1? Don't you remember?"),
    QT_TRANSLATE_NOOP("Remarks", "The Terminator waiting for you, %1."),
    QT_TRANSLATE_NOOP("Remarks", "You shouldn't try to save all people on Earth, %1."),
    QT_TRANSLATE_NOOP("Remarks", "The author (me) tells you, %1: I loose my game so much..."),
    QT_TRANSLATE_NOOP("Remarks", "I created most complicated AI, %1!"),
    QT_TRANSLATE_NOOP("Remarks", "Sorry, %1, but..."),
};

const char *const WinRemarks[10] = {
    QT_TRANSLATE_NOOP("Remarks", "Yes, %1, you won."),
    QT_TRANSLATE_NOOP("Remarks", "Better you play with Vostrikel, %1."),
    QT_TRANSLATE_NOOP("Remarks", "Don't celebrate much, %1. I'll survive."),
    QT_TRANSLATE_NOOP("Remarks", "The Tarnwake isn't a hard game, %1. Try to play Quake."),
    QT_TRANSLATE_NOOP("Remarks", "Change area size to a 15, %1, and let's play!"),
    QT_TRANSLATE_NOOP("Remarks", "Isn't my music bores you, %1?"),
    QT_TRANSLATE_NOOP("Remarks", "I can format your HDD, %1!!!"),
    QT_TRANSLATE_NOOP("Remarks", "Don't hurt me, %1..."),
    QT_TRANSLATE_NOOP("Remarks", "It was a small bug, %1, let's play again!"),
    QT_TRANSLATE_NOOP("Remarks", "Your computer needs an upgrade, %1."),
};

QString remarkFor(const Settings &settings, const char *remark, const QString &name)
{
    return catalogueOf(settings).translate("Remarks", remark).arg(name);
}

} // namespace

QString computerLossRemark(const Settings &settings, int pick, const QString &playerName)
{
    return remarkFor(settings, LossRemarks[pick - 1], playerName);
}

QString computerWinRemark(const Settings &settings, int pick, const QString &playerName)
{
    return remarkFor(settings, WinRemarks[pick - 1], playerName);
}

QString peerLossRemark(const Settings &settings, const QString &peerName)
{
    return catalogueOf(settings)
        .translate("Remarks", "The %1 wins this game. You should practice with me. :)")
        .arg(peerName);
}

QString peerWinRemark(const Settings &settings, const QString &peerName)
{
    return catalogueOf(settings)
        .translate("Remarks", "%1 defeated by you! Try to play with me - I'm much harder. :-)")
        .arg(peerName);
}

} // namespace tw
