// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's boards: the hover preview of a ship, aiming,
// and the fleet generation with its progress panel.
#include "feedback.h"
#include "mainwindow.h"
#include "match/gamestate.h"
#include "model/shiptypes.h"
#include "pictures.h"

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

MainWindow::HoverChange MainWindow::trackHover(QPoint pixel)
{
    const BoardState &b = m_game.boards;
    const QPoint cell = BoardView::cellAt(pixel);
    if (cell == m_hoverCell)
        return HoverChange::None;
    m_hoverCell = cell;
    const int col = cell.x(), row = cell.y();
    const bool inside = col >= 0 && col < b.areaSize && row >= 0 && row < b.areaSize;
    return inside ? HoverChange::Inside : HoverChange::Outside;
}

void MainWindow::previewShipAt(QPoint pixel)
{
    if (m_game.match.gameInProgress)
        return;
    BoardState &b = m_game.boards;
    const HoverChange hover = trackHover(pixel);
    if (hover == HoverChange::None)
        return;
    if (hover == HoverChange::Outside) {
        paintOwnBoard();
        return;
    }
    const int col = m_hoverCell.x(), row = m_hoverCell.y();
    if (fleetComplete(b.placedFleet))
        return;
    const TurnedShape shape = turnedShipShape(b.selectedShipType, b.rotation);
    paintOwnBoard();
    const QPixmap &boat = Pictures::get().cellPictures.value(Pictures::Boat);
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y)
            if (maskCell(shape.mask, x, y) == 1)
                m_ownBoard->stampCell(boat, {col + x - shape.origin.ox, row + y - shape.origin.oy});
}

void MainWindow::placeShip()
{
    if (m_game.match.gameInProgress)
        return;
    if (placeSelectedShip(m_game.boards, m_hoverCell.x(), m_hoverCell.y()) != PlaceResult::Placed) {
        m_feedback.beep();
        return;
    }
    paintOwnBoard();
}

void MainWindow::aimAt(QPoint pixel)
{
    if (!m_game.match.gameInProgress || m_game.match.paused)
        return;
    const HoverChange hover = trackHover(pixel);
    if (hover == HoverChange::None)
        return;
    if (hover == HoverChange::Outside) {
        paintOpponentBoard();
        return;
    }
    m_aimCell = m_hoverCell;
    paintOpponentBoard();
    m_opponentBoard->stampCell(Pictures::get().cellPictures.value(Pictures::Sight), m_aimCell);
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
