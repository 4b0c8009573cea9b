#pragma once

#include <QColor>
#include <QLabel>
#include <QPixmap>
#include <QPoint>
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

signals:
    void mouseMoved(QPoint pixel);
    void mousePressed(Qt::MouseButton button, QPoint pixel);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    struct Stamp
    {
        QPixmap picture;
        QPoint at;
    };
    Painter m_painter;
    QVector<Stamp> m_stamps;
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

// A label that answers a click.
class ClickLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
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

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_value = 0;
};

// The button face colour of the platform palette.
QColor buttonFace();

// Puts the window, frame included, in the middle of the screen.
void centerOnScreen(QWidget *window);

} // namespace tw
