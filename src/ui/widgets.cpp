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
    if (m_cellCount > 0 && hasFocus()) {
        paintFocusFrame(painter, rect());
        painter.setPen(QPen(Qt::yellow, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect((m_cursor.x() + 1) * Pictures::W, (m_cursor.y() + 1) * Pictures::H,
                               Pictures::W, Pictures::H)
                             .adjusted(1, 1, -1, -1));
    }
}

void BoardView::setCellCount(int n)
{
    m_cellCount = std::max(0, n);
    setFocusPolicy(m_cellCount > 0 ? Qt::TabFocus : Qt::NoFocus);
    m_cursor = QPoint(std::clamp(m_cursor.x(), 0, std::max(0, m_cellCount - 1)),
                      std::clamp(m_cursor.y(), 0, std::max(0, m_cellCount - 1)));
    if (QAccessible::isActive()) {
        QAccessibleTableModelChangeEvent reset(this, QAccessibleTableModelChangeEvent::ModelReset);
        QAccessible::updateAccessibility(&reset);
    }
    update();
}

void BoardView::setCursorCell(QPoint cell)
{
    if (m_cellCount <= 0)
        return;
    cell =
        QPoint(std::clamp(cell.x(), 0, m_cellCount - 1), std::clamp(cell.y(), 0, m_cellCount - 1));
    if (cell == m_cursor)
        return;
    m_cursor = cell;
    update();
    if (hasFocus() && QAccessible::isActive()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(m_cursor.y() * m_cellCount + m_cursor.x());
        QAccessible::updateAccessibility(&focus);
    }
}

QPoint BoardView::cellCentre(QPoint cell)
{
    return {(cell.x() + 1) * Pictures::W + Pictures::W / 2,
            (cell.y() + 1) * Pictures::H + Pictures::H / 2};
}

QString BoardView::describeCell(int col, int row) const
{
    return m_describer ? m_describer(col, row) : QString();
}

void BoardView::announceCursorCell()
{
    if (m_cellCount <= 0 || !QAccessible::isActive())
        return;
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    changed.setChild(m_cursor.y() * m_cellCount + m_cursor.x());
    QAccessible::updateAccessibility(&changed);
}

void BoardView::keyPressEvent(QKeyEvent *event)
{
    if (m_cellCount <= 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int last = m_cellCount - 1;
    QPoint to = m_cursor;
    switch (event->key()) {
    case Qt::Key_Left:
        to.rx() -= 1;
        break;
    case Qt::Key_Right:
        to.rx() += 1;
        break;
    case Qt::Key_Up:
        to.ry() -= 1;
        break;
    case Qt::Key_Down:
        to.ry() += 1;
        break;
    case Qt::Key_Home:
        to.setX(0);
        break;
    case Qt::Key_End:
        to.setX(last);
        break;
    case Qt::Key_PageUp:
        to.setY(0);
        break;
    case Qt::Key_PageDown:
        to.setY(last);
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A held key acts once: its repeats would fire at the cell just
        // shot, or place the same ship again, and beep every time.
        if (!event->isAutoRepeat())
            emit cursorActivated();
        event->accept();
        return;
    default:
        QWidget::keyPressEvent(event); // the chat line takes the rest
        return;
    }
    // At an edge the cursor stays where it is, however long the key is held.
    to = QPoint(std::clamp(to.x(), 0, last), std::clamp(to.y(), 0, last));
    if (to != m_cursor)
        emit cursorMoveRequested(to);
    event->accept();
}

void BoardView::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
    if (m_cellCount > 0)
        emit focusEntered();
}

void BoardView::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
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

} // namespace tw
