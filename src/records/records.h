// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/scoredata.h"

#include <QDateTime>
#include <QStringView>
#include <cstdint>

namespace tw {

class Random;

// Turns record index (1..100) into a free slot: name length 0 (the
// characters stay), all counts and dates 0, shortestBattle NoShortestBattle,
// Free 1. Reserved and the padding are left alone.
void resetPlayerRecord(ScoreBlock &data, int index);

// Zeroes the characters after the length. A length of 32 or more changes
// nothing.
void normalizeShortString(ShortString &s);

// The settings and records of a first start: music and sound on, area size
// 10, every record a free slot, player "NewUser", English interface, no game
// log. Every other byte, Reserved and padding included, becomes 0.
void setDefaultScoreData(ScoreBlock &data);

// What the end of a match tells the player's record, in seconds and points.
struct BattleFigures
{
    std::int32_t playerTime = 0;   // the player's turns
    std::int32_t opponentTime = 0; // the opponent's turns
    std::int32_t gameScore = 0;
};

// Records the end of a game for name and returns the index (1..100) of the
// record that now holds it; the caller then adds the win or the loss.
// The record is the last one whose name equals name ignoring letter case
// (free slots included), else the first free slot, else a record drawn at
// random and reset, whose player is lost. The record takes this spelling of
// the name and nowOleDate as its last game; with countBattle (a game not
// aborted) the battle length (both times added) and the score update the
// longest, shortest and top figures when strictly better.
// name is compared and stored as it would be stored: its first 32 characters
// that Windows-1251 can hold. Precondition: that form is not empty.
int findOrCreatePlayer(ScoreBlock &data, QStringView name, bool countBattle,
                       const BattleFigures &figures, Random &random, double nowOleDate);

// OLE Automation dates: days since 30 December 1899 0:00 with the time of
// day as the fraction (for days before that date the fraction still counts
// forward from midnight). Both sides are local time; milliseconds are kept.
double oleDateFromDateTime(const QDateTime &dateTime);
// An invalid QDateTime for a value that is not finite or lies outside the
// years 100 to 9999.
QDateTime dateTimeFromOleDate(double oleDate);

} // namespace tw
