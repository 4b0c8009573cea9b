// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QLabel>
#include <QPixmap>
#include <QPoint>
#include <QToolButton>
#include <QVector>
#include <QWidget>
#include <functional>

namespace tw {

// A paint box that draws one board from its cell pictures. Paint events
// always draw the whole board; what the game draws "over" it between two
// repaints (the hover preview, the aim marker, the pause scramble) is kept
// as stamps that the next paint draws and the next repaintBoard() wipes.
class BoardView : public QWidget
{
    Q_OBJECT
public:
    // Draws the board (cells and frame) with the painter.
    using Painter = std::function<void(QPainter &)>;

    explicit BoardView(QWidget *parent = nullptr);

    void setPainter(Painter painter) { m_painter = std::move(painter); }

    // Wipes the stamps and draws the board anew.
    void repaintBoard();
    // Draws a picture over the board at a pixel position until the next
    // repaintBoard().
    void stamp(const QPixmap &picture, QPoint at);

    int stampCount() const { return static_cast<int>(m_stamps.size()); }

    // Keyboard play. A board with cells (n by n inside a one-cell frame)
    // takes focus by Tab and shows a cell cursor; the sample box has none.
    // The arrows, Home/End (first/last column) and PageUp/PageDown (first/
    // last row) ask to move the cursor with cursorMoveRequested(); the owner
    // answers with setCursorCell() when the game takes the move, so the
    // cursor and the pointer stay one. Space and Return ask for the cell
    // under the cursor with cursorActivated(). Other keys go to the parent.
    void setCellCount(int n);
    int cellCount() const { return m_cellCount; }
    void setCursorCell(QPoint cell);
    QPoint cursorCell() const { return m_cursor; }
    // The pixel in the middle of a cell, 0-based, frame not counted.
    static QPoint cellCentre(QPoint cell);

    // What a screen reader says for a cell (0-based column and row).
    using CellDescriber = std::function<QString(int col, int row)>;
    void setCellDescriber(CellDescriber describer) { m_describer = std::move(describer); }
    QString describeCell(int col, int row) const;
    // Tells assistive technology that the cell under the cursor changed (a
    // shot or a ship put there), so a reader says it again.
    void announceCursorCell();

signals:
    void mouseMoved(QPoint pixel);
    void mousePressed(Qt::MouseButton button, QPoint pixel);
    void cursorMoveRequested(QPoint cell);
    void cursorActivated();
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
    Painter m_painter;
    QVector<Stamp> m_stamps;
    int m_cellCount = 0;
    QPoint m_cursor{0, 0};
    CellDescriber m_describer;
};

// An ellipse with a brush colour and an outline: the lamps.
class Lamp : public QWidget
{
    Q_OBJECT
public:
    explicit Lamp(QWidget *parent = nullptr);

    QColor brushColor() const { return m_brush; }
    void setBrushColor(const QColor &color);
    void setPen(const QColor &color, int width);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_brush;
    QColor m_pen = Qt::black;
    int m_penWidth = 1;
};

// A label that answers a click, and Space or Return when it has the focus
// (it takes focus by Tab). A checkable one is an on/off switch.
class ClickLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ClickLabel(QWidget *parent = nullptr);

    bool isCheckable() const { return m_checkable; }
    void setCheckable(bool checkable) { m_checkable = checkable; }
    bool isChecked() const { return m_checked; }
    void click() { emit clicked(); }
    // Tells assistive technology about a change of state.
    void setChecked(bool checked);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_checkable = false;
    bool m_checked = false;
};

// A sunken, centred caption.
class SunkenLabel : public QLabel
{
    Q_OBJECT
public:
    explicit SunkenLabel(QWidget *parent = nullptr);
};

// The four-digit score counter.
class ScoreCounter : public QWidget
{
    Q_OBJECT
public:
    explicit ScoreCounter(QWidget *parent = nullptr);

    void setValue(int value);
    int value() const { return m_value; }
    // One step of the roll toward the score: 16 while far from it, then 1.
    void stepToward(int score);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_value = 0;
};

// Draws the keyboard focus frame just inside a widget's edge.
void paintFocusFrame(QPainter &painter, const QRect &rect);

// The button face colour of the platform palette.
QColor buttonFace();

// Puts the window, frame included, in the middle of the screen.
void centerOnScreen(QWidget *window);

// A flat 17 by 17 arrow button, or a flat button with a picture and text.
QToolButton *makeFlatButton(QWidget *parent, const char *name, QRect place,
                            const QPixmap &picture = {});

} // namespace tw
