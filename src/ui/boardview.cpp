// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardview.h"

#include "accessibility.h"
#include "model/placement.h"
#include "model/shiptypes.h"
#include "pictures.h"
#include "widgets.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace tw {

namespace {

constexpr int W = Pictures::W;
constexpr int H = Pictures::H;

} // namespace

BoardView::BoardView(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BoardView::setBoard(const GameState &game, Role role)
{
    m_game = &game;
    m_role = role;
    update();
}

const Board *BoardView::board() const
{
    if (!m_game)
        return nullptr;
    switch (m_role) {
    case Role::OwnBoard:
        return &m_game->boards().ownBoard;
    case Role::OpponentBoard:
        return &m_game->boards().opponentBoard;
    case Role::None:
    case Role::ShipSample:
        break;
    }
    return nullptr;
}

void BoardView::setConcealed(bool concealed)
{
    m_concealed = concealed;
    update();
}

void BoardView::updateCell(QPoint cell)
{
    update(QRect((cell.x() + 1) * W, (cell.y() + 1) * H, W, H));
}

void BoardView::repaintBoard()
{
    m_stamps.clear();
    update();
}

void BoardView::stampCell(const QPixmap &picture, QPoint cell)
{
    const QPoint at((cell.x() + 1) * W, (cell.y() + 1) * H);
    m_stamps.append({picture, at});
    update(QRect(at, picture.deviceIndependentSize().toSize()));
}

QPoint BoardView::cellAt(QPoint pixel)
{
    return {pixel.x() / W - 1, pixel.y() / H - 1};
}

QPoint BoardView::cellCentre(QPoint cell)
{
    return {(cell.x() + 1) * W + W / 2, (cell.y() + 1) * H + H / 2};
}

void BoardView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (m_role == Role::ShipSample)
        paintSample(painter);
    else if (board())
        paintBoard(painter);
    for (const Stamp &s : m_stamps)
        painter.drawPixmap(s.at, s.picture);
    if (m_cellCount > 0 && hasFocus()) {
        paintFocusFrame(painter, rect());
        painter.setPen(QPen(Qt::yellow, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(
            QRect((m_cursor.x() + 1) * W, (m_cursor.y() + 1) * H, W, H).adjusted(1, 1, -1, -1));
    }
}

void BoardView::paintBoard(QPainter &painter) const
{
    if (m_concealed)
        return;
    const auto &cells = Pictures::get().cellPictures;
    const Board &cellsOf = *board();
    const int n = m_game->boards().areaSize;
    const bool inMatch = m_game->match().gameInProgress;
    for (int y = 1; y <= n; ++y)
        for (int x = 1; x <= n; ++x) {
            int picture = cellsOf.at(x, y);
            if (inMatch && picture == CellIntact)
                picture = m_role == Role::OpponentBoard ? Pictures::Tile : Pictures::CoveredBoat;
            painter.drawPixmap(x * W, y * H, cells.value(picture));
        }
    paintFrame(painter);
    paintScramble(painter);
}

void BoardView::paintFrame(QPainter &painter) const
{
    const Pictures &pictures = Pictures::get();
    const int n = m_game->boards().areaSize;
    for (int i = 1; i <= n; ++i) {
        painter.drawPixmap(i * W, 0, pictures.columnNumbers.value(i - 1));
        painter.drawPixmap(i * W, (n + 1) * H, pictures.columnNumbers.value(i - 1));
        painter.drawPixmap(0, i * H, pictures.rowLetters.value(i - 1));
        painter.drawPixmap((n + 1) * W, i * H, pictures.rowLetters.value(i - 1));
    }
    const QPixmap &corner = pictures.cellPictures.value(Pictures::Black);
    for (QPoint at : {QPoint(0, 0), QPoint(0, (n + 1) * H), QPoint((n + 1) * W, 0),
                      QPoint((n + 1) * W, (n + 1) * H)})
        painter.drawPixmap(at, corner);
}

void BoardView::paintScramble(QPainter &painter) const
{
    const Pictures &pictures = Pictures::get();
    const MatchState &m = m_game->match();
    const Scramble &scramble = m_role == Role::OwnBoard ? m.ownScramble : m.opponentScramble;
    const int n = m_game->boards().areaSize;
    for (int y = 1; y <= n; ++y)
        for (int x = 1; x <= n; ++x) {
            const Scramble::Mark mark = scramble.at(x, y);
            if (mark.picture >= 0)
                painter.drawPixmap(
                    x * W, y * H,
                    (mark.columnNumber ? pictures.columnNumbers : pictures.rowLetters)
                        .value(mark.picture));
        }
}

void BoardView::paintSample(QPainter &painter) const
{
    const auto &cells = Pictures::get().cellPictures;
    const BoardState &b = m_game->boards();
    const TurnedShape shape = turnedShipShape(b.selectedShipType, b.rotation);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            painter.drawPixmap(
                x * W, y * H,
                cells.value(maskCell(shape.mask, x, y) == 1 ? Pictures::Boat : Pictures::Black));
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

QString BoardView::describeCell(int col, int row) const
{
    const Board *cells = board();
    if (!cells)
        return {};
    return cellAccessibleText(col + 1, row + 1, cells->at(col + 1, row + 1),
                              m_role == Role::OpponentBoard, m_game->match().gameInProgress,
                              catalogueOf(m_game->settings()));
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
            emit cellActivated(m_cursor);
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
    emit cellHovered(cellAt(event->position().toPoint()));
}

void BoardView::mousePressEvent(QMouseEvent *event)
{
    emit cellClicked(event->button(), cellAt(event->position().toPoint()));
}

} // namespace tw
