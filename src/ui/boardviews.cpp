// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's boards: repainting them and generating the own fleet.
#include "feedback.h"
#include "mainwindow.h"
#include "match/gamestate.h"

namespace tw {

void MainWindow::paintOwnBoard()
{
    m_ownBoard->repaintBoard();
}

void MainWindow::paintOpponentBoard()
{
    m_opponentBoard->repaintBoard();
}

void MainWindow::generateOwnFleet()
{
    m_game.modalBusy = true;
    m_generatingPanel->generate(m_game.boards.ownBoard, m_game.boards.placedFleet);
    paintOwnBoard();
    m_game.modalBusy = false;
}

} // namespace tw
