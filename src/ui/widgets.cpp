// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets.h"

#include "pictures.h"
#include "util/digits.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QScreen>
#include <algorithm>

namespace tw {

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

ClickLabel::ClickLabel(QWidget *parent) : QLabel(parent)
{
    setFocusPolicy(Qt::TabFocus);
}

void ClickLabel::setChecked(bool checked)
{
    if (checked == m_checked)
        return;
    m_checked = checked;
    if (QAccessible::isActive()) {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
}

void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    QLabel::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        emit clicked();
}

void ClickLabel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat())
            emit clicked();
        event->accept();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void ClickLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(this);
        paintFocusFrame(painter, rect());
    }
}

void paintFocusFrame(QPainter &painter, const QRect &rect)
{
    painter.save();
    painter.setPen(QPen(QApplication::palette().color(QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect).adjusted(1, 1, -1, -1));
    painter.restore();
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

void ScoreCounter::stepToward(int score)
{
    if (m_value == score)
        return;
    const int step = std::abs(score - m_value) > 16 ? 16 : 1;
    setValue(m_value + (score > m_value ? step : -step));
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

QToolButton *makeFlatButton(QWidget *parent, const char *name, QRect place, const QPixmap &picture)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus); // Tab reaches it; a click leaves the focus alone
    button->setGeometry(place);
    if (!picture.isNull()) {
        button->setIcon(QIcon(picture));
        button->setIconSize(picture.deviceIndependentSize().toSize());
    }
    return button;
}

void setTextColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}

void updateAccessibleName(QWidget *widget, const QString &name)
{
    if (widget->accessibleName() != name)
        widget->setAccessibleName(name);
}

} // namespace tw
