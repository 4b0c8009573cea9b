// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where the game keeps its files.

namespace tw {

// The directory of the score file and the game log: the executable's
// directory when it is writable and not where programs are installed (the
// configured install directory, /usr/..., /bin, /sbin), otherwise $XDG_DATA_HOME/tarnwake (by
// default ~/.local/share/tarnwake), created on demand. The environment
// variable TARNWAKE_DATA_DIR, when set, is used instead (tests, or two copies
// of the game on one machine). No trailing '/'; empty when no directory
// could be made.
QString dataDirectory();

// The settings file of the options not kept with the records:
// $XDG_CONFIG_HOME/tarnwake/tarnwake.conf (by default ~/.config/...), or
// tarnwake.conf in TARNWAKE_DATA_DIR when that is set. Its directory is made
// when the file is written.
QString settingsFilePath();

// A private directory of this user, which no other user can write, for the
// working copy of the score file, the music files and the single-instance
// lock: $XDG_RUNTIME_DIR/tarnwake, or else tarnwake-<uid> in the temporary
// directory. A directory of that name that is a link, belongs to someone
// else or is writable by group or others is not used; a fresh one with a
// random suffix takes its place. With TARNWAKE_DATA_DIR set, a subdirectory
// tied to that data directory is used, so that two copies with their own
// data directories neither share working files nor block each other.
// Decided once per process; no trailing '/'; empty when no private directory
// could be made, in which case callers must not fall back to another place.
QString runtimeDirectory();

// runtimeDirectory() with exactly one trailing '/', the form file names are
// appended to; empty when there is none.
QString systemDirectory();

// True when path is a directory (not a link to one) owned by this user that
// neither group nor others may write.
bool isPrivateDirectory(const QString &path);

} // namespace tw
