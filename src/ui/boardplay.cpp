// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardplay.h"

#include "boardview.h"
#include "feedback.h"
#include "match/match.h"
#include "model/shiptypes.h"
#include "pictures.h"

namespace tw {

BoardPlay::BoardPlay(GameState &game, Match &match, Feedback &feedback, BoardView *ownBoard,
                     BoardView *opponentBoard, QObject *parent)
    : QObject(parent), m_game(game), m_match(match), m_feedback(feedback), m_ownBoard(ownBoard),
      m_opponentBoard(opponentBoard)
{
    connect(ownBoard, &BoardView::cellHovered, this, &BoardPlay::previewShipAt);
    connect(ownBoard, &BoardView::cellClicked, this, [this] { placeShip(); });
    connect(opponentBoard, &BoardView::cellHovered, this, &BoardPlay::aimAt);
    connect(opponentBoard, &BoardView::cellClicked, this, [this] { fireAt(); });
    for (BoardView *board : {ownBoard, opponentBoard}) {
        connect(board, &BoardView::cursorMoveRequested, this,
                [this, board](QPoint cell) { moveBoardCursor(board, cell); });
        connect(board, &BoardView::focusEntered, this,
                [this, board] { moveBoardCursor(board, board->cursorCell()); });
        connect(board, &BoardView::cellActivated, this, [this, board] { activateBoard(board); });
        // Connected after the pointer's own handlers: the cursor follows the
        // pointer wherever the pointer moved the hover or the aim.
        connect(board, &BoardView::cellHovered, this, [this, board] {
            const int n = m_game.boards().areaSize;
            const QPoint cell = m_hoverCell;
            const bool inside = cell.x() >= 0 && cell.x() < n && cell.y() >= 0 && cell.y() < n;
            if (inside && boardTakesCursor(board))
                board->setCursorCell(cell);
        });
    }
}

BoardPlay::HoverChange BoardPlay::trackHover(QPoint cell)
{
    const BoardState &b = m_game.boards();
    if (cell == m_hoverCell)
        return HoverChange::None;
    m_hoverCell = cell;
    const int col = cell.x(), row = cell.y();
    const bool inside = col >= 0 && col < b.areaSize && row >= 0 && row < b.areaSize;
    return inside ? HoverChange::Inside : HoverChange::Outside;
}

void BoardPlay::previewShipAt(QPoint cell)
{
    if (m_game.match().gameInProgress)
        return;
    BoardState &b = m_game.boards();
    const HoverChange hover = trackHover(cell);
    if (hover == HoverChange::None)
        return;
    if (hover == HoverChange::Outside) {
        m_ownBoard->repaintBoard();
        return;
    }
    const int col = m_hoverCell.x(), row = m_hoverCell.y();
    if (fleetComplete(b.placedFleet))
        return;
    const TurnedShape shape = turnedShipShape(b.selectedShipType, b.rotation);
    m_ownBoard->repaintBoard();
    const QPixmap &boat = Pictures::get().cellPictures.value(Pictures::Boat);
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y)
            if (maskCell(shape.mask, x, y) == 1)
                m_ownBoard->stampCell(boat, {col + x - shape.origin.ox, row + y - shape.origin.oy});
}

void BoardPlay::placeShip()
{
    if (m_game.match().gameInProgress)
        return;
    if (placeSelectedShip(m_game.boards(), m_hoverCell.x(), m_hoverCell.y()) !=
        PlaceResult::Placed) {
        m_feedback.beep();
        return;
    }
    m_ownBoard->repaintBoard();
}

void BoardPlay::aimAt(QPoint cell)
{
    if (!m_game.match().gameInProgress || m_game.match().paused)
        return;
    const HoverChange hover = trackHover(cell);
    if (hover == HoverChange::None)
        return;
    if (hover == HoverChange::Outside) {
        m_opponentBoard->repaintBoard();
        return;
    }
    m_aimCell = m_hoverCell;
    m_opponentBoard->repaintBoard();
    m_opponentBoard->stampCell(Pictures::get().cellPictures.value(Pictures::Sight), m_aimCell);
}

bool BoardPlay::boardTakesCursor(const BoardView *board) const
{
    const MatchState &m = m_game.match();
    if (board == m_ownBoard)
        return !m.gameInProgress;
    return m.gameInProgress && !m.paused;
}

void BoardPlay::moveBoardCursor(BoardView *board, QPoint cell)
{
    if (board == m_ownBoard && m_game.match().gameInProgress) {
        // During a match the own board is only read: the cursor walks it
        // without a preview and without touching the aim.
        board->setCursorCell(cell);
        return;
    }
    if (!boardTakesCursor(board))
        return; // no match on the opponent's board yet, or paused: the aim stays
    // Never a cell nor the frame, so the pointer's handler draws the preview
    // or the aim even where the pointer last was.
    m_hoverCell = {-2, -2};
    if (board == m_ownBoard)
        previewShipAt(cell);
    else
        aimAt(cell);
    board->setCursorCell(cell);
}

void BoardPlay::activateBoard(BoardView *board)
{
    const QPoint cell = board->cursorCell();
    if (m_hoverCell != cell)
        moveBoardCursor(board, cell); // the pointer was elsewhere since
    if (board == m_ownBoard)
        placeShip();
    else
        fireAt();
    board->announceCursorCell();
}

void BoardPlay::fireAt()
{
    m_match.playerShot(m_hoverCell.x(), m_hoverCell.y());
}

} // namespace tw
