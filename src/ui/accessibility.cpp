// SPDX-License-Identifier: GPL-3.0-or-later
// Accessible interfaces of the widgets that are painted pixels: the boards,
// the switches, the lamps and the score counter.
#include "accessibility.h"

#include "boardview.h"
#include "model/board.h"
#include "util/catalogue.h"
#include "widgets.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QWindow>

namespace tw {

QString cellStateText(std::uint8_t code, bool opponentBoard, bool inMatch, const Catalogue &texts)
{
    const auto state = [&texts](const char *source) {
        //: What a screen reader says of a board cell after its name.
        return texts.translate("BoardCell", source);
    };
    switch (code) {
    case CellMiss:
        return state(QT_TRANSLATE_NOOP("BoardCell", "miss"));
    case CellShip:
        // Before a match a placed ship; in a match a cell of a destroyed one.
        return inMatch ? state(QT_TRANSLATE_NOOP("BoardCell", "sunk"))
                       : state(QT_TRANSLATE_NOOP("BoardCell", "own ship"));
    case CellHit:
        return state(QT_TRANSLATE_NOOP("BoardCell", "hit"));
    case CellIntact:
        if (opponentBoard && inMatch) // never tell where the hidden fleet is
            return state(QT_TRANSLATE_NOOP("BoardCell", "water"));
        return state(QT_TRANSLATE_NOOP("BoardCell", "own ship"));
    default:
        return state(QT_TRANSLATE_NOOP("BoardCell", "water"));
    }
}

QString cellAccessibleText(int x, int y, std::uint8_t code, bool opponentBoard, bool inMatch,
                           const Catalogue &texts)
{
    return QString::fromStdString(cellName(x, y)) + QStringLiteral(", ") +
           cellStateText(code, opponentBoard, inMatch, texts);
}

QString cellAccessibleText(int x, int y, std::uint8_t code, bool opponentBoard, bool inMatch,
                           bool english)
{
    return cellAccessibleText(x, y, code, opponentBoard, inMatch,
                              Catalogue::of(english ? QStringLiteral("en") : QStringLiteral("ru")));
}

namespace {

// One cell of a board. It has no object of its own: the board's interface
// makes it, registers it and deletes it.
class BoardCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    BoardCellAccessible(BoardView *board, int col, int row) : m_board(board), m_col(col), m_row(row)
    {}

    bool isValid() const override
    {
        return m_board && m_col < m_board->cellCount() && m_row < m_board->cellCount();
    }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override
    {
        return m_board ? m_board->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override
    {
        return m_board ? QAccessible::queryAccessibleInterface(m_board) : nullptr;
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !m_board)
            return {};
        return m_board->describeCell(m_col, m_row);
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!m_board)
            return {};
        const QPoint centre = BoardView::cellCentre({m_col, m_row});
        const QRect local(centre.x() - CellPixels / 2, centre.y() - CellPixels / 2, CellPixels,
                          CellPixels);
        return QRect(m_board->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!m_board)
            return s;
        s.focusable = true;
        s.focused = m_board->hasFocus() && m_board->cursorCell() == QPoint(m_col, m_row);
        s.invisible = !m_board->isVisible();
        return s;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface *>(this);
        return nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_col; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return parent(); }

private:
    static constexpr int CellPixels = 17;
    QPointer<BoardView> m_board;
    int m_col, m_row;
};

// A board: a table of n by n cells, rows lettered, columns numbered. The
// cell under the keyboard cursor is the focused child.
class BoardAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit BoardAccessible(BoardView *board) : QAccessibleWidget(board, QAccessible::Table) {}
    ~BoardAccessible() override { forgetCells(); }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    int childCount() const override { return n() * n(); }
    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        if (const auto id = m_cells.value(index); id != 0)
            return QAccessible::accessibleInterface(id);
        auto *cell = new BoardCellAccessible(board(), index % n(), index / n());
        m_cells.insert(index, QAccessible::registerAccessibleInterface(cell));
        return cell;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const auto *cell =
            child ? const_cast<QAccessibleInterface *>(child)->tableCellInterface() : nullptr;
        if (!cell || child->parent() != this)
            return -1;
        return cell->rowIndex() * n() + cell->columnIndex();
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint local = board()->mapFromGlobal(QPoint(x, y));
        const int col = local.x() / 17 - 1, row = local.y() / 17 - 1;
        if (col < 0 || row < 0 || col >= n() || row >= n())
            return nullptr;
        return child(row * n() + col);
    }
    QAccessibleInterface *focusChild() const override
    {
        if (!board()->hasFocus() || n() == 0)
            return nullptr;
        const QPoint c = board()->cursorCell();
        return child(c.y() * n() + c.x());
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.focusable = n() > 0;
        return s;
    }

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override
    {
        if (row < 0 || column < 0 || row >= n() || column >= n())
            return nullptr;
        return child(row * n() + column);
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface *> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override { return QString::number(column + 1); }
    QString rowDescription(int row) const override { return QChar(u'A' + row); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return n(); }
    int rowCount() const override { return n(); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override { forgetCells(); }

private:
    BoardView *board() const { return static_cast<BoardView *>(widget()); }
    int n() const { return board()->cellCount(); }
    void forgetCells()
    {
        for (const QAccessible::Id id : std::as_const(m_cells))
            QAccessible::deleteAccessibleInterface(id);
        m_cells.clear();
    }

    mutable QHash<int, QAccessible::Id> m_cells;
};

// A label that acts as a button; a checkable one is an on/off switch. Qt's
// accessibility bridge has no toggle-button role, so a switch is a check box
// with its checked state, as Qt shows its own checkable buttons (Pause).
class SwitchAccessible : public QAccessibleWidget
{
public:
    explicit SwitchAccessible(ClickLabel *label)
        : QAccessibleWidget(label,
                            label->isCheckable() ? QAccessible::CheckBox : QAccessible::Button)
    {}

    QString text(QAccessible::Text t) const override
    {
        // Not the plain widget's fallback, which names a widget in a group
        // box after the box.
        if (t == QAccessible::Name)
            return label()->accessibleName().isEmpty() ? label()->text()
                                                       : label()->accessibleName();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = label()->isCheckable();
        s.checked = label()->isCheckable() && label()->isChecked();
        return s;
    }
    QStringList actionNames() const override
    {
        return {label()->isCheckable() ? toggleAction() : pressAction()};
    }
    void doAction(const QString &name) override
    {
        if (name == toggleAction() || name == pressAction())
            label()->click();
    }

private:
    ClickLabel *label() const { return static_cast<ClickLabel *>(widget()); }
};

QAccessibleInterface *makeAccessible(const QString &, QObject *object)
{
    if (auto *board = qobject_cast<BoardView *>(object))
        return board->cellCount() > 0 ? new BoardAccessible(board) : nullptr;
    if (auto *label = qobject_cast<ClickLabel *>(object))
        return new SwitchAccessible(label);
    // Labels rather than indicators: the bridge gives indicators no role a
    // screen reader knows.
    if (auto *lamp = qobject_cast<Lamp *>(object))
        return new QAccessibleWidget(lamp, QAccessible::StaticText);
    if (auto *counter = qobject_cast<ScoreCounter *>(object))
        return new QAccessibleWidget(counter, QAccessible::StaticText);
    return nullptr;
}

} // namespace

void installAccessibleFactories()
{
    static bool installed = false;
    if (!installed)
        QAccessible::installFactory(makeAccessible);
    installed = true;
}

} // namespace tw
