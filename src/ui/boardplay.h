// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "match/gamestate.h"

#include <QObject>
#include <QPoint>

namespace tw {

class BoardView;
class Feedback;
class Match;

// The two boards as the player uses them, by pointer or by keyboard cursor:
// placing ships on the own board (with a preview under the pointer) before a
// match, aiming at and firing on the opponent's during one. The boards share
// one hovered cell; the cursor of a board follows the pointer and the
// pointer's cell follows the cursor, so the two stay one.
class BoardPlay : public QObject
{
    Q_OBJECT
public:
    // Every reference must outlive this object; it is the boards' parent's.
    BoardPlay(GameState &game, Match &match, Feedback &feedback, BoardView *ownBoard,
              BoardView *opponentBoard, QObject *parent);

    // The cell under the pointer or the board cursor, and the cell aimed at on
    // the opponent board (-1 before the first aim of a match); 0-based.
    QPoint hoveredCell() const { return m_hoverCell; }
    QPoint aimedCell() const { return m_aimCell; }
    // A new match: nothing aimed at yet.
    void forgetAim() { m_aimCell = {-1, -1}; }

private:
    enum class HoverChange
    {
        None,
        Outside,
        Inside
    };
    // Stores the cell under the pointer; says whether it changed and where.
    HoverChange trackHover(QPoint cell);
    void previewShipAt(QPoint cell);
    void placeShip();
    void aimAt(QPoint cell);
    void fireAt();
    bool boardTakesCursor(const BoardView *board) const;
    void moveBoardCursor(BoardView *board, QPoint cell);
    void activateBoard(BoardView *board);

    GameState &m_game;
    Match &m_match;
    Feedback &m_feedback;
    BoardView *m_ownBoard;
    BoardView *m_opponentBoard;
    // The frame ring gives -1 and n.
    QPoint m_hoverCell{0, 0};
    QPoint m_aimCell{-1, -1};
};

} // namespace tw
