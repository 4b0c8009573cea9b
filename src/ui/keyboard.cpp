// Playing from the keyboard and being read by assistive technology: focus
// and tab order, the boards' cell cursors, Alt+letter shortcuts, and the
// accessible names of the painted indicators. The main window's half.
#include "accessibility.h"
#include "mainwindow.h"
#include "match/gamestate.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>

namespace tw {

namespace {

// Return and Enter press a focused button or switch, as Space does. The main
// window also keeps a focus of its own when nothing else has it: there typed
// keys go to the chat line, and Qt would otherwise hand the focus to the first
// button whenever the window is activated.
class KeyboardFilter : public QObject
{
public:
    KeyboardFilter(QWidget *mainWindow, QWidget *logWindow)
        : QObject(mainWindow), m_main(mainWindow), m_log(logWindow)
    {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_main && event->type() == QEvent::WindowActivate) {
            if (!m_main->focusWidget())
                m_main->setFocus(Qt::ActiveWindowFocusReason);
            return false;
        }
        if (watched == m_log && event->type() == QEvent::Show &&
            QApplication::activeWindow() == m_main) {
            // The log window appears at Start; the keyboard stays with the
            // boards (some platforms activate every window they show).
            QTimer::singleShot(0, m_main, [main = m_main] { main->activateWindow(); });
            return false;
        }
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *button = qobject_cast<QAbstractButton *>(watched);
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!button || !button->hasFocus() ||
            (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter))
            return false;
        if (!key->isAutoRepeat())
            button->click();
        return true;
    }

private:
    QWidget *m_main;
    QWidget *m_log;
};

void SetAccessibleName(QWidget *widget, const QString &name)
{
    if (widget->accessibleName() != name)
        widget->setAccessibleName(name);
}

} // namespace

void TForm1::setUpKeyboard()
{
    InstallAccessibleFactories();
    auto *filter = new KeyboardFilter(this, Form6);
    installEventFilter(filter);
    Form6->installEventFilter(filter);
    setFocusPolicy(Qt::TabFocus);
    for (QAbstractButton *button : findChildren<QAbstractButton *>())
        button->installEventFilter(filter);
    for (QAbstractButton *button : Form2->findChildren<QAbstractButton *>())
        button->installEventFilter(filter);

    // The control column top to bottom, then the own board and the opponent's.
    QWidget *const order[] = {SpeedButton1, SpeedButton6, SpeedButton2, SpeedButton3,
                              SpeedButton4, SpeedButton5, Label1,       Label2,
                              Label3,       PaintBox1,    PaintBox2};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    Label1->setCheckable(true);
    Label2->setCheckable(true);
    // After the switches' own handlers: their new state is read at once.
    for (ClickLabel *label : {Label1, Label2, Label3})
        connect(label, &ClickLabel::clicked, this, &TForm1::updateAccessibleTexts);
    Form6->setAttribute(Qt::WA_ShowWithoutActivating);

    const auto describe = [](bool opponent) {
        return [opponent](int col, int row) {
            const GameState &game = Game();
            const TBoard &board = opponent ? game.boards.OpponentBoard : game.boards.OwnBoard;
            return CellAccessibleText(col + 1, row + 1, board.at(col + 1, row + 1), opponent,
                                      game.match.GameInProgress, game.settings.EnglishUI);
        };
    };
    PaintBox1->setCellDescriber(describe(false));
    PaintBox2->setCellDescriber(describe(true));
    for (BoardView *board : {PaintBox1, PaintBox2}) {
        connect(board, &BoardView::cursorMoveRequested, this,
                [this, board](QPoint cell) { moveBoardCursor(board, cell); });
        connect(board, &BoardView::focusEntered, this,
                [this, board] { moveBoardCursor(board, board->cursorCell()); });
        connect(board, &BoardView::cursorActivated, this, [this, board] { activateBoard(board); });
        // Connected after the pointer's own handlers: the cursor follows the
        // pointer wherever the pointer moved the hover or the aim.
        connect(board, &BoardView::mouseMoved, this, [this, board] {
            const BoardState &b = Game().boards;
            const bool inside = b.HoverCol >= 0 && b.HoverCol < b.AreaSize && b.HoverRow >= 0 &&
                                b.HoverRow < b.AreaSize;
            if (inside && boardTakesCursor(board))
                board->setCursorCell({b.HoverCol, b.HoverRow});
        });
    }
    setFocus();
}

bool TForm1::boardTakesCursor(const BoardView *board) const
{
    const MatchState &m = Game().match;
    if (board == PaintBox1)
        return !m.GameInProgress;
    return m.GameInProgress && !m.Paused;
}

void TForm1::moveBoardCursor(BoardView *board, QPoint cell)
{
    BoardState &b = Game().boards;
    if (board == PaintBox1 && Game().match.GameInProgress) {
        // During a match the own board is only read: the cursor walks it
        // without a preview and without touching the aim.
        board->setCursorCell(cell);
        return;
    }
    if (!boardTakesCursor(board))
        return; // no match on the opponent's board yet, or paused: the aim stays
    // Never a cell nor the frame, so the pointer's handler draws the preview
    // or the aim even where the pointer last was.
    b.HoverCol = -2;
    b.HoverRow = -2;
    const QPoint pixel = BoardView::cellCentre(cell);
    if (board == PaintBox1)
        PaintBox1MouseMove(pixel);
    else
        PaintBox2MouseMove(pixel);
    board->setCursorCell(cell);
}

void TForm1::activateBoard(BoardView *board)
{
    const BoardState &b = Game().boards;
    const QPoint cell = board->cursorCell();
    if (b.HoverCol != cell.x() || b.HoverRow != cell.y())
        moveBoardCursor(board, cell); // the pointer was elsewhere since
    if (board == PaintBox1)
        PaintBox1MouseDown();
    else
        PaintBox2MouseDown();
    board->announceCursorCell();
}

void TForm1::applyShortcuts()
{
    // Setting a button's text clears its shortcut, so these follow every
    // caption change. The Russian letters are those of the Russian captions.
    const bool english = Game().settings.EnglishUI;
    const struct
    {
        QAbstractButton *button;
        char16_t english, russian;
    } keys[] = {{SpeedButton1, u'S', u'С'}, {SpeedButton6, u'P', u'П'}, {SpeedButton2, u'A', u'Р'},
                {SpeedButton3, u'L', u'И'}, {SpeedButton4, u'C', u'Д'}, {SpeedButton5, u'B', u'B'}};
    for (const auto &k : keys)
        k.button->setShortcut(QKeySequence(Qt::ALT | Qt::Key(english ? k.english : k.russian)));
}

void TForm1::updateAccessibleTexts()
{
    const GameState &game = Game();
    const MatchState &m = game.match;
    SetAccessibleName(PaintBox1, Lang("Your board", "Ваше поле"));
    SetAccessibleName(PaintBox2, Lang("Opponent's board", "Поле противника"));
    const QString on = Lang("on", "горит"), off = Lang("off", "не горит");
    const bool playerLamp = Shape1->brushColor() == QColor(Qt::blue);
    const bool opponentLamp = Shape2->brushColor() == QColor(Qt::red);
    SetAccessibleName(Shape1,
                      Lang("Your turn lamp, ", "Лампа вашего хода, ") + (playerLamp ? on : off));
    SetAccessibleName(Shape2, Lang("Opponent's turn lamp, ", "Лампа хода противника, ") +
                                  (opponentLamp ? on : off));
    QString turn;
    if (m.GameInProgress)
        turn =
            m.PlayerTurn ? Lang("your turn", "ваш ход") : Lang("opponent's turn", "ход противника");
    Shape1->setAccessibleDescription(turn);
    Shape2->setAccessibleDescription(turn);
    SetAccessibleName(PaintBox3, Lang("Score ", "Счёт ") + QString::number(m.GameScore));
    const auto clock = [](const QString &whose, const QString &time) {
        return time.isEmpty() ? whose : whose + QStringLiteral(" ") + time;
    };
    SetAccessibleName(StaticText1, clock(Lang("Your time", "Ваше время"), StaticText1->text()));
    SetAccessibleName(StaticText2,
                      clock(Lang("Opponent's time", "Время противника"), StaticText2->text()));
    Label1->setChecked(game.settings.MusicOn);
    Label2->setChecked(game.settings.SoundOn);

    SetAccessibleName(Form2->SpeedButton1, Lang("Previous ship type", "Предыдущий тип корабля"));
    SetAccessibleName(Form2->SpeedButton2, Lang("Next ship type", "Следующий тип корабля"));
    SetAccessibleName(Form2->SpeedButton3,
                      Lang("Rotate anticlockwise", "Повернуть против часовой стрелки"));
    SetAccessibleName(Form2->SpeedButton4,
                      Lang("Rotate clockwise", "Повернуть по часовой стрелке"));
    SetAccessibleName(Form2->SpeedButton5, Lang("Smaller area", "Меньше поле"));
    SetAccessibleName(Form2->SpeedButton6, Lang("Larger area", "Больше поле"));
    SetAccessibleName(Form2->Edit1, Form2->StaticText3->text());
    SetAccessibleName(Form2->PaintBox1, Form2->GroupBox1->title().trimmed());
    SetAccessibleName(Form2->Edit2, Form2->StaticText4->text());
    SetAccessibleName(Form2->Edit4, Form2->StaticText7->text());
    SetAccessibleName(Form2->Edit3, Form2->StaticText5->text());
}

} // namespace tw
