#include "widgets.h"

#include "pictures.h"
#include "util/digits.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QScreen>

namespace tw {

BoardView::BoardView(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BoardView::repaintBoard()
{
    m_stamps.clear();
    update();
}

void BoardView::stamp(const QPixmap &picture, QPoint at)
{
    m_stamps.append({picture, at});
    update(QRect(at, picture.deviceIndependentSize().toSize()));
}

void BoardView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (m_painter)
        m_painter(painter);
    for (const Stamp &s : m_stamps)
        painter.drawPixmap(s.at, s.picture);
}

void BoardView::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMoved(event->position().toPoint());
}

void BoardView::mousePressEvent(QMouseEvent *event)
{
    emit mousePressed(event->button(), event->position().toPoint());
}

Lamp::Lamp(QWidget *parent) : QWidget(parent), m_brush(buttonFace()) {}

void Lamp::setBrushColor(const QColor &color)
{
    if (color == m_brush)
        return;
    m_brush = color;
    update();
}

void Lamp::setPen(const QColor &color, int width)
{
    m_pen = color;
    m_penWidth = width;
    update();
}

void Lamp::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(m_pen, m_penWidth));
    painter.setBrush(m_brush);
    const qreal inset = m_penWidth / 2.0;
    painter.drawEllipse(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
}

void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    QLabel::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        emit clicked();
}

SunkenLabel::SunkenLabel(QWidget *parent) : QLabel(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAlignment(Qt::AlignCenter);
}

ScoreCounter::ScoreCounter(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ScoreCounter::setValue(int value)
{
    m_value = value;
    update();
}

void ScoreCounter::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    int digits[4];
    splitDigits(m_value, digits, 3);
    const auto &images = Pictures::get().digitPictures;
    for (int j = 0; j < 4; ++j)
        if (digits[j] >= 0 && digits[j] < images.size())
            painter.drawPixmap(j * Pictures::DigitW, 1, images[digits[j]]);
}

void centerOnScreen(QWidget *window)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect frame = window->frameGeometry();
    window->move(screen.x() + (screen.width() - frame.width()) / 2,
                 screen.y() + (screen.height() - frame.height()) / 2);
}

QColor buttonFace()
{
    return QApplication::palette().color(QPalette::Button);
}

} // namespace tw
