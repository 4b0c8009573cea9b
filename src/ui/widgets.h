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

// A new child widget with its object name at a fixed place.
template <typename T>
T *place(QWidget *parent, const char *name, QRect place)
{
    auto *widget = new T(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(place);
    return widget;
}

// The colour of the widget's text (its palette's window text).
void setTextColor(QWidget *widget, const QColor &color);

// Sets the name assistive technology reads, only when it differs: a reader
// announces every name that is set.
void updateAccessibleName(QWidget *widget, const QString &name);

} // namespace tw
