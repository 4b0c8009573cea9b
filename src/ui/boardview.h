// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "match/gamestate.h"

#include <QPixmap>
#include <QPoint>
#include <QVector>
#include <QWidget>

namespace tw {

// One board of the game on the screen: it paints the board it is given (its
// cells, and the column numbers and row letters around them) from the cell
// pictures, turns pixels into cells, keeps a cell cursor for keyboard play
// and is read by assistive technology as a table of cells. What the game
// draws "over" the board between two repaints (the hover preview, the aim
// marker) is kept as stamps that the next paint draws and the next
// repaintBoard() wipes. A paused match's scramble is the match's: the board
// paints it from the match state. The editor's sample box is one too,
// showing the selected ship type alone.
class BoardView : public QWidget
{
    Q_OBJECT
public:
    // A board is painted n by n cells inside a one-cell frame, n the cell
    // count.
    // During a match intact ship cells are covered: a covered boat on the own
    // board, a tile on the opponent's.
    enum class Role
    {
        None,
        OwnBoard,
        OpponentBoard,
        ShipSample // the selected ship type in its turn, 4 by 4 cells, no frame
    };

    explicit BoardView(QWidget *parent = nullptr);

    // Precondition: game outlives the view. It is read at every paint.
    void setBoard(const GameState &game, Role role);

    // A concealed board is painted all black: the peer's, while its
    // fleet is being agreed on.
    void setConcealed(bool concealed);

    // Draws a cell (0-based) anew, as its scramble changed.
    void updateCell(QPoint cell);
    // Wipes the stamps and draws the board anew.
    void repaintBoard();
    // Draws a picture over the board cell (0-based, the frame at -1 and n)
    // until the next repaintBoard().
    void stampCell(const QPixmap &picture, QPoint cell);

    int stampCount() const { return static_cast<int>(m_stamps.size()); }

    // The 0-based cell under a pixel: -1 and n on the frame.
    static QPoint cellAt(QPoint pixel);
    // The pixel in the middle of a cell, 0-based, frame not counted.
    static QPoint cellCentre(QPoint cell);

    // Keyboard play. A board with cells takes focus by Tab and shows a cell
    // cursor; the sample box has none. The arrows, Home/End (first/last
    // column) and PageUp/PageDown (first/last row) ask to move the cursor
    // with cursorMoveRequested(); the owner answers with setCursorCell() when
    // the game takes the move, so the cursor and the pointer stay one. Space
    // and Return ask for the cell under the cursor with cellActivated().
    // Other keys go to the parent.
    void setCellCount(int n);
    int cellCount() const { return m_cellCount; }
    void setCursorCell(QPoint cell);
    QPoint cursorCell() const { return m_cursor; }

    // What a screen reader says for a cell (0-based column and row).
    QString describeCell(int col, int row) const;
    // Tells assistive technology that the cell under the cursor changed (a
    // shot or a ship put there), so a reader says it again.
    void announceCursorCell();

signals:
    // The pointer moved over a cell, or pressed a button there (0-based; -1
    // and n on the frame).
    void cellHovered(QPoint cell);
    void cellClicked(Qt::MouseButton button, QPoint cell);
    void cursorMoveRequested(QPoint cell);
    void cellActivated(QPoint cell);
    void focusEntered();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    struct Stamp
    {
        QPixmap picture;
        QPoint at;
    };
    const Board *board() const;
    void paintBoard(QPainter &painter) const;
    void paintFrame(QPainter &painter) const;
    void paintScramble(QPainter &painter) const;
    void paintSample(QPainter &painter) const;

    const GameState *m_game = nullptr;
    Role m_role = Role::None;
    QVector<Stamp> m_stamps;
    int m_cellCount = 0;
    bool m_concealed = false;
    QPoint m_cursor{0, 0};
};

} // namespace tw
