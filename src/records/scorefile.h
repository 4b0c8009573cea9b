#pragma once

#include "records/scoredata.h"

#include <QString>

// The score file: the 7240 bytes of ScoreBlock, packed (fileops.h: the magic
// "QV" and run-length units) and followed by one check byte, seed 0x42 XOR
// every byte before it.

namespace tw {

inline constexpr char ScoreFileName[] = "tarnwake.hsc";
inline constexpr quint8 ScoreFileSeed = 0x42;

// Fills data from dataDir/tarnwake.hsc and answers true; on false data is
// left exactly as it was and the caller sets the defaults. The layers are
// undone on a working copy in systemDir (a private directory, e.g.
// systemDirectory()), which is deleted before returning; the file in dataDir
// is never changed. False for a missing, unreadable or damaged file, and for
// one whose bytes are intact but whose values this program never writes: a
// name or player name longer than 32 characters, or an area size outside
// 10..15.
bool loadScoreFile(ScoreBlock &data, const QString &dataDir, const QString &systemDir);

// Zeroes the unused name characters (normalizeShortString on every record
// name and the player name), then writes data to dataDir/tarnwake.hsc. The
// new file is written beside the old one and takes its place only once
// complete, so a failed save leaves the previous file as it was. True when
// the file was replaced.
bool saveScoreFile(ScoreBlock &data, const QString &dataDir);

} // namespace tw
