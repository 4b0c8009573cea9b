// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's boards: repainting them, and the fleet generation with
// its progress panel.
#include "feedback.h"
#include "mainwindow.h"
#include "match/gamestate.h"

#include <QApplication>
#include <QPointer>

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
    generateWithProgress(m_game.boards.ownBoard, m_game.boards.placedFleet);
    paintOwnBoard();
    m_game.modalBusy = false;
}

void MainWindow::generateWithProgress(Board &board, FleetCounts &counts)
{
    // Disabling the windows takes the keyboard focus away; it comes back.
    const QPointer<QWidget> focused = QApplication::focusWidget();
    setEnabled(false);
    m_editorWindow->setEnabled(false);
    m_generatingPanel->raise();
    m_generatingPanel->show();
    m_panelPainted.invalidate();
    const QString prefix = localized(m_game.settings, "Generating ships ", "Расставляю кораблики ");
    generateFleet(board, counts, m_game.boards.areaSize, m_random, [&](const GenerateProgress &p) {
        // Text and repaint are skipped within one screen refresh: the
        // panel is a sign of activity, and painting it at every draw
        // would cost more than the generation itself.
        if (m_panelPainted.isValid() && m_panelPainted.elapsed() < 16)
            return;
        showGenerateProgress(prefix + QString::number(p.t) + QString::number(p.r) +
                             QString::number(p.ox) + QString::number(p.oy) + QString::number(p.X) +
                             QString::number(p.Y));
    });
    setEnabled(true);
    m_editorWindow->setEnabled(true);
    m_generatingPanel->hide();
    if (focused)
        focused->setFocus();
}

void MainWindow::showGenerateProgress(const QString &text)
{
    m_generatingPanel->setText(text);
    m_generatingPanel->repaint();
    m_panelPainted.start();
}

} // namespace tw
