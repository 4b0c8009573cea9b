// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;

namespace tw {

// Starts the game in a created application object and runs it to the end.
// Returns the process exit code; 0 at once when another copy is running.
int runGame(QApplication &app);

} // namespace tw
