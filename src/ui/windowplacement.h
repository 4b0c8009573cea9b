// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QGroupBox;
class QWidget;

namespace tw {

class BoardView;

// The game's windows as the area size places them: both boards n by n cells
// in their frames beside the control column, the main window just holding
// them, low on the screen, with the editor (or the log window in its place)
// under it and the chat window beside that, down to the screen's foot.
struct WindowPlacement
{
    QWidget *mainWindow;
    QWidget *controlPanel;
    QGroupBox *ownFrame;
    QGroupBox *opponentFrame;
    BoardView *ownBoard;
    BoardView *opponentBoard;
    QWidget *generatingPanel; // centred over the main window
    QWidget *editorWindow;
    QWidget *logWindow;
    QWidget *chatWindow;

    void arrange(int cellCount) const;
};

} // namespace tw
