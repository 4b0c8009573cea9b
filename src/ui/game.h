#pragma once

class QApplication;

namespace tw {

// Registers the pictures and sounds built into the program. Called by
// RunGame; tests that make windows call it themselves.
void InitResources();

// Starts the game in a created application object and runs it to the end.
// Returns the process exit code; 0 at once when another copy is running.
int RunGame(QApplication &app);

} // namespace tw
