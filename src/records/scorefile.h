// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/scoredata.h"
#include "util/fileops.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// The score file: the 7240-byte stored form of ScoreBlock (scoredata.h),
// packed (fileops.h: the magic "QV" and run-length units) and followed by one
// check byte, seed 0x42 XOR every byte before it.

namespace tw {

inline constexpr char ScoreFileName[] = "tarnwake.hsc";
// Where a score file that cannot be read is kept when a save replaces it.
inline constexpr char DamagedScoreFileName[] = "tarnwake.hsc.damaged";
inline constexpr quint8 ScoreFileSeed = 0x42;

// The records held in the bytes of a whole score file: nothing when the
// check byte, the packing or the payload size is wrong. Values out of their
// range are made safe (makeScoreDataSafe()), never a reason to refuse.
std::optional<ScoreBlock> scoreDataFromFile(QByteArrayView fileBytes);

// The bytes of the score file that holds data, as saveScoreFile() writes them.
QByteArray scoreFileBytes(const ScoreBlock &data);

// Fills data from dataDir/tarnwake.hsc and answers true; on false data is
// left exactly as it was and the caller sets the defaults. The file is read
// through a working copy in systemDir (a private directory, e.g.
// systemDirectory()), which is deleted before returning; the file in dataDir
// is never changed. False for a missing file and for one that cannot be read
// as a score file (see scoreDataFromFile()).
bool loadScoreFile(ScoreBlock &data, const QString &dataDir, const QString &systemDir);

// Zeroes the unused name characters (normalizeShortString on every record
// name and the player name), then writes data to dataDir/tarnwake.hsc
// through replaceFile(): a failed save, a failed flush included, leaves the
// previous file as it was. A previous file that cannot be read as a score
// file is first renamed to tarnwake.hsc.damaged (replacing an older one), so
// that the records it may still hold are not lost. True when the file was
// replaced.
bool saveScoreFile(ScoreBlock &data, const QString &dataDir, FileSync &sync = systemFileSync());

// Removes what a save killed halfway left in dataDir. For the start of the
// one running game only: a save of this process must not be under way.
void removeUnfinishedSaves(const QString &dataDir);

} // namespace tw
