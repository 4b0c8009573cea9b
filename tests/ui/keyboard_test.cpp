// The game played without a mouse, and read the way a screen reader reads it:
// focus order, the boards' cell cursors, shortcuts, and the accessible tree.
#include "match/gamestate.h"
#include "model/placement.h"
#include "ui/accessibility.h"
#include "ui/game.h"
#include "ui/mainwindow.h"
#include "uitest.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace tw;

class KeyboardTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cellTexts_data();
    void cellTexts();
    void tabWalksTheControlsAndBothBoards();
    void typedKeysStillReachTheChat();
    void switchesToggleFromTheKeyboard();
    void shortcutsOpenTheWindowsAndEscapeClosesThem();
    void placementByKeyboardWithTheRefusalBeep();
    void accessibleTreeNamesEveryPaintedPiece();
    void wholeMatchPlayedWithTheKeyboardOnly();

private:
    // A key as the window system delivers it: to the focused widget.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void pressRepeated(int key);
    void focusBoard(BoardView *board);
    // Moves the cursor of the focused board to a cell with the edge keys and
    // the arrows only.
    void walkCursorTo(QPoint cell);
    // Runs `open` and answers the modal window it shows with Escape; true when
    // a modal window showed and closed.
    bool escapeCloses(const std::function<void()> &open, QWidget *expected);
    QAccessibleInterface *findByName(QAccessibleInterface *root, const QString &name);

    test::RecordingFeedback m_feedback;
    TForm1 *m_main = nullptr;
};

void KeyboardTest::initTestCase()
{
    InitResources();
    SetUiFeedback(&m_feedback);
    m_main = new TForm1;
    QVERIFY(m_main->FormCreate());
    m_main->CreateCompanions();
    QVERIFY(QTest::qWaitForWindowExposed(m_main));
    m_main->Timer1->stop(); // the tests tick by themselves
}

void KeyboardTest::init()
{
    m_main->activateWindow();
    QTRY_VERIFY(m_main->isActiveWindow());
    m_main->setFocus();
    if (!Game().settings.EnglishUI)
        m_main->Label3Click();
}

void KeyboardTest::press(int key, Qt::KeyboardModifiers modifiers)
{
    QWidget *target = QApplication::focusWidget();
    if (!target)
        target = m_main;
    if (key > 0xff && key < Qt::Key_Escape) // a letter beyond Latin-1: its text says which
        QTest::sendKeyEvent(QTest::Click, target, static_cast<Qt::Key>(key),
                            QString(QChar(key)).toLower(), modifiers);
    else
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
}

void KeyboardTest::pressRepeated(int key)
{
    QWidget *target = QApplication::focusWidget();
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(target, &event);
}

void KeyboardTest::focusBoard(BoardView *board)
{
    m_main->setFocus();
    // The window's own stop comes right after the opponent's board.
    press(Qt::Key_Backtab);
    if (board == m_main->PaintBox1)
        press(Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), board);
}

void KeyboardTest::walkCursorTo(QPoint cell)
{
    auto *board = qobject_cast<BoardView *>(QApplication::focusWidget());
    QVERIFY(board);
    press(Qt::Key_Home);
    press(Qt::Key_PageUp);
    for (int i = 0; i < cell.x(); ++i)
        press(Qt::Key_Right);
    for (int i = 0; i < cell.y(); ++i)
        press(Qt::Key_Down);
}

bool KeyboardTest::escapeCloses(const std::function<void()> &open, QWidget *expected)
{
    bool seen = false;
    QTimer answer;
    answer.setInterval(10);
    connect(&answer, &QTimer::timeout, this, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal == expected && modal->isVisible()) {
            seen = true;
            QTest::keyClick(modal, Qt::Key_Escape);
        }
    });
    answer.start();
    m_main->activateWindow();
    if (!QTest::qWaitFor([this] { return m_main->isActiveWindow(); }))
        return false;
    open();
    return QTest::qWaitFor([&] { return seen && !expected->isVisible(); }, 3000);
}

QAccessibleInterface *KeyboardTest::findByName(QAccessibleInterface *root, const QString &name)
{
    if (!root)
        return nullptr;
    if (root->text(QAccessible::Name) == name)
        return root;
    for (int i = 0; i < root->childCount(); ++i)
        if (QAccessibleInterface *found = findByName(root->child(i), name))
            return found;
    return nullptr;
}

void KeyboardTest::cellTexts_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("opponent");
    QTest::addColumn<bool>("inMatch");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("russian");
    QTest::newRow("water") << int(CellWater) << true << true << "B4, water"
                           << "B4, вода";
    QTest::newRow("miss") << int(CellMiss) << true << true << "B4, miss"
                          << "B4, мимо";
    QTest::newRow("hit") << int(CellHit) << false << true << "B4, hit"
                         << "B4, ранен";
    QTest::newRow("sunk") << int(CellShip) << true << true << "B4, sunk"
                          << "B4, убит";
    QTest::newRow("own ship, match") << int(CellIntact) << false << true << "B4, own ship"
                                     << "B4, свой корабль";
    QTest::newRow("own ship, placed") << int(CellShip) << false << false << "B4, own ship"
                                      << "B4, свой корабль";
    // The opponent's hidden fleet never shows through the reader.
    QTest::newRow("hidden ship") << int(CellIntact) << true << true << "B4, water"
                                 << "B4, вода";
}

void KeyboardTest::cellTexts()
{
    QFETCH(int, code);
    QFETCH(bool, opponent);
    QFETCH(bool, inMatch);
    QFETCH(QString, english);
    QFETCH(QString, russian);
    const auto c = static_cast<std::uint8_t>(code);
    QCOMPARE(CellAccessibleText(4, 2, c, opponent, inMatch, true), english);
    QCOMPARE(CellAccessibleText(4, 2, c, opponent, inMatch, false), russian);
}

void KeyboardTest::tabWalksTheControlsAndBothBoards()
{
    const QList<QWidget *> order = {
        m_main->SpeedButton1, m_main->SpeedButton6, m_main->SpeedButton2, m_main->SpeedButton3,
        m_main->SpeedButton4, m_main->SpeedButton5, m_main->Label1,       m_main->Label2,
        m_main->Label3,       m_main->PaintBox1,    m_main->PaintBox2,    m_main};
    QCOMPARE(QApplication::focusWidget(), m_main);
    for (QWidget *expected : order) {
        const QImage before = expected->grab().toImage();
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), expected);
        // The focus shows: every stop but the window's own draws a frame.
        if (expected != m_main)
            QVERIFY2(expected->grab().toImage() != before, qPrintable(expected->objectName()));
    }
    for (auto it = order.rbegin() + 1; it != order.rend(); ++it) {
        press(Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), *it);
    }
    // Leaving the window and coming back keeps the chat's stop: typing does
    // not land on a button.
    m_main->setFocus();
    m_main->Form2->activateWindow();
    QTRY_VERIFY(!m_main->isActiveWindow());
    m_main->activateWindow();
    QTRY_VERIFY(m_main->isActiveWindow());
    QCOMPARE(QApplication::focusWidget(), m_main);

    // The editor's controls take the focus too, arrows included.
    m_main->Form2->activateWindow();
    QTRY_VERIFY(m_main->Form2->isActiveWindow());
    m_main->Form2->SpeedButton1->setFocus(Qt::TabFocusReason);
    QTest::keyClick(m_main->Form2->SpeedButton1, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), m_main->Form2->SpeedButton2);
    const int type = Game().boards.SelectedShipType;
    press(Qt::Key_Return);
    QCOMPARE(Game().boards.SelectedShipType, type % ShipTypeCount + 1);
    press(Qt::Key_Space);
    QCOMPARE(Game().boards.SelectedShipType, (type + 1) % ShipTypeCount + 1);
    Game().boards.SelectedShipType = 1;
}

void KeyboardTest::typedKeysStillReachTheChat()
{
    QLineEdit *chat = m_main->Form8->Memo1;
    chat->clear();
    // Nothing focused: every character goes to the chat line, Space too.
    QTest::keyClicks(m_main, QStringLiteral("a b"));
    QCOMPARE(chat->text(), QStringLiteral("a b"));
    // A focused button leaves letters alone; a focused board takes only its
    // own keys.
    m_main->SpeedButton3->setFocus(Qt::TabFocusReason);
    press(Qt::Key_C);
    focusBoard(m_main->PaintBox1);
    const QPoint cursor = m_main->PaintBox1->cursorCell();
    press(Qt::Key_D);
    press(Qt::Key_Backspace);
    press(Qt::Key_E);
    QCOMPARE(chat->text(), QStringLiteral("a bce"));
    press(Qt::Key_Right);
    QCOMPARE(m_main->PaintBox1->cursorCell(), cursor + QPoint(cursor.x() < 9 ? 1 : 0, 0));
    QCOMPARE(chat->text(), QStringLiteral("a bce"));
    chat->clear();
}

void KeyboardTest::switchesToggleFromTheKeyboard()
{
    Settings &s = Game().settings;
    QAccessibleInterface *music = QAccessible::queryAccessibleInterface(m_main->Label1);
    QAccessibleInterface *sound = QAccessible::queryAccessibleInterface(m_main->Label2);
    QCOMPARE(music->role(), QAccessible::CheckBox);
    QVERIFY(music->state().checkable);
    const bool musicOn = s.MusicOn, soundOn = s.SoundOn;
    QCOMPARE(music->state().checked, musicOn);
    m_main->Label1->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space);
    QCOMPARE(s.MusicOn, !musicOn);
    QCOMPARE(music->state().checked, !musicOn);
    press(Qt::Key_Tab);
    press(Qt::Key_Return);
    QCOMPARE(s.SoundOn, !soundOn);
    QCOMPARE(sound->state().checked, !soundOn);
    // The language switch answers Return as well; the names follow it.
    press(Qt::Key_Tab);
    press(Qt::Key_Return);
    QVERIFY(!s.EnglishUI);
    QCOMPARE(m_main->PaintBox3->accessibleName(), QStringLiteral("Счёт 0"));
    QCOMPARE(QAccessible::queryAccessibleInterface(m_main->Label3)->text(QAccessible::Name),
             QStringLiteral("English"));
    press(Qt::Key_Space);
    QVERIFY(s.EnglishUI);
    m_main->Label1Click();
    m_main->Label2Click();
    QCOMPARE(s.MusicOn, musicOn);
}

void KeyboardTest::shortcutsOpenTheWindowsAndEscapeClosesThem()
{
    QCOMPARE(m_main->SpeedButton1->shortcut(), QKeySequence(Qt::ALT | Qt::Key_S));
    QVERIFY(escapeCloses([this] { press(Qt::Key_C, Qt::AltModifier); }, m_main->Form4));
    QVERIFY(escapeCloses([this] { press(Qt::Key_B, Qt::AltModifier); }, m_main->Form5));
    const QString name = Game().settings.PlayerName;
    QVERIFY(escapeCloses([this] { press(Qt::Key_L, Qt::AltModifier); }, m_main->Form3));
    QCOMPARE(Game().settings.PlayerName, name);

    // In Russian the letters are those of the Russian captions.
    m_main->Label3Click();
    QCOMPARE(m_main->SpeedButton1->shortcut(), QKeySequence(Qt::ALT | Qt::Key(u'С')));
    QCOMPARE(m_main->SpeedButton4->shortcut(), QKeySequence(Qt::ALT | Qt::Key(u'Д')));
    QVERIFY(escapeCloses([this] { press(u'Д', Qt::AltModifier); }, m_main->Form4));
    m_main->Label3Click();
    QCOMPARE(m_main->SpeedButton4->shortcut(), QKeySequence(Qt::ALT | Qt::Key_C));
}

void KeyboardTest::placementByKeyboardWithTheRefusalBeep()
{
    BoardState &b = Game().boards;
    BoardView *own = m_main->PaintBox1;
    m_main->Form2->Button1->click(); // Clear
    b.SelectedShipType = 1;
    b.Rotation = 0;
    focusBoard(own);
    walkCursorTo({0, 0});
    QCOMPARE(own->cursorCell(), QPoint(0, 0));
    QCOMPARE(b.HoverCol, 0);
    QCOMPARE(b.HoverRow, 0);
    QCOMPARE(own->stampCount(), 1); // the preview of the one-cell ship

    // Held keys at the edge: the cursor stays and nothing beeps.
    const int beeps = m_feedback.beeps;
    for (int i = 0; i < 5; ++i) {
        pressRepeated(Qt::Key_Left);
        pressRepeated(Qt::Key_Up);
    }
    QCOMPARE(own->cursorCell(), QPoint(0, 0));
    press(Qt::Key_Space);
    QCOMPARE(b.OwnBoard.at(1, 1), CellShip);
    QCOMPARE(b.PlacedFleet[1], 1);
    // A held Space places once; its repeats do nothing at all.
    pressRepeated(Qt::Key_Space);
    QCOMPARE(m_feedback.beeps, beeps);
    // Touching the first ship: refused with the beep.
    press(Qt::Key_Right);
    press(Qt::Key_Return);
    QCOMPARE(m_feedback.beeps, beeps + 1);
    QCOMPARE(b.OwnBoard.at(2, 1), CellWater);
    // End and PageDown reach the far corner.
    press(Qt::Key_End);
    press(Qt::Key_PageDown);
    QCOMPARE(own->cursorCell(), QPoint(9, 9));
    press(Qt::Key_Enter);
    QCOMPARE(b.OwnBoard.at(10, 10), CellShip);

    // The pointer moves the same cursor, and the cursor the same preview.
    QTest::mouseMove(own, BoardView::cellCentre({4, 6}));
    QCOMPARE(own->cursorCell(), QPoint(4, 6));
    press(Qt::Key_Up);
    QCOMPARE(b.HoverCol, 4);
    QCOMPARE(b.HoverRow, 5);
    QCOMPARE(own->stampCount(), 1);

    // A complete fleet takes no more ships.
    m_main->Form2->Button3->click(); // Generate
    QCOMPARE(QApplication::focusWidget(), own);
    QVERIFY(FleetComplete(b.PlacedFleet));
    press(Qt::Key_Space);
    QCOMPARE(m_feedback.beeps, beeps + 2);

    // Outside a match the opponent's board neither aims nor fires: the beep.
    focusBoard(m_main->PaintBox2);
    press(Qt::Key_Down);
    QCOMPARE(m_main->PaintBox2->stampCount(), 0);
    press(Qt::Key_Space);
    QCOMPARE(m_feedback.beeps, beeps + 3);
}

void KeyboardTest::accessibleTreeNamesEveryPaintedPiece()
{
    BoardState &b = Game().boards;
    m_main->Form2->Button1->click();
    b.OwnBoard.at(4, 2) = CellShip; // B4
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(m_main);
    QAccessibleInterface *own = findByName(window, QStringLiteral("Your board"));
    QVERIFY(own);
    QCOMPARE(own->role(), QAccessible::Table);
    QAccessibleTableInterface *table = own->tableInterface();
    QVERIFY(table);
    QCOMPARE(table->rowCount(), 10);
    QCOMPARE(table->columnCount(), 10);
    QCOMPARE(own->childCount(), 100);
    QAccessibleInterface *b4 = table->cellAt(1, 3);
    QCOMPARE(b4->role(), QAccessible::Cell);
    QCOMPARE(b4->text(QAccessible::Name), QStringLiteral("B4, own ship"));
    QCOMPARE(b4->parent(), own);
    QCOMPARE(own->indexOfChild(b4), 13);
    QCOMPARE(b4->tableCellInterface()->rowIndex(), 1);
    QCOMPARE(table->rowDescription(1), QStringLiteral("B"));
    QVERIFY(findByName(window, QStringLiteral("Opponent's board")));
    QCOMPARE(own->childAt(b4->rect().center().x(), b4->rect().center().y()), b4);

    // The focused board names the cell under the cursor as its focus.
    focusBoard(m_main->PaintBox1);
    walkCursorTo({3, 1});
    QCOMPARE(own->focusChild(), b4);
    QVERIFY(b4->state().focused);

    QAccessibleInterface *lamp = findByName(window, QStringLiteral("Your turn lamp, off"));
    QVERIFY(lamp);
    QCOMPARE(lamp->role(), QAccessible::StaticText);
    QVERIFY(findByName(window, QStringLiteral("Opponent's turn lamp, off")));
    QVERIFY(findByName(window, QStringLiteral("Score 0")));
    QVERIFY(findByName(window, QStringLiteral("Your time")));
    QVERIFY(findByName(window, QStringLiteral("Opponent's time")));
    QAccessibleInterface *music = findByName(window, QStringLiteral("Music"));
    QVERIFY(music);
    QVERIFY(music->state().checkable);
    QAccessibleInterface *start = findByName(window, QStringLiteral("Start"));
    QVERIFY(start);
    QCOMPARE(start->role(), QAccessible::Button);
    QVERIFY(start->state().focusable);

    // Everything follows the language switch.
    m_main->Label3Click();
    QCOMPARE(b4->text(QAccessible::Name), QStringLiteral("B4, свой корабль"));
    QVERIFY(findByName(window, QStringLiteral("Ваше поле")));
    QVERIFY(findByName(window, QStringLiteral("Лампа вашего хода, не горит")));
    QVERIFY(findByName(window, QStringLiteral("Ваше время")));
    QVERIFY(findByName(window, QStringLiteral("Музыка")));
    m_main->Label3Click();

    // A new area size gives a table of the new size.
    m_main->ApplyAreaSize(12);
    QCOMPARE(own->tableInterface()->rowCount(), 12);
    QCOMPARE(own->childCount(), 144);
    QCOMPARE(own->tableInterface()->cellAt(11, 11)->text(QAccessible::Name),
             QStringLiteral("L12, water"));
    m_main->ApplyAreaSize(10);
}

void KeyboardTest::wholeMatchPlayedWithTheKeyboardOnly()
{
    MatchState &m = Game().match;
    BoardState &b = Game().boards;
    GameRandom().seed(77);
    // Generate and Start from the keyboard as well.
    m_main->Form2->activateWindow();
    QTRY_VERIFY(m_main->Form2->isActiveWindow());
    m_main->Form2->Button3->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space);
    QVERIFY(FleetComplete(b.PlacedFleet));
    m_main->activateWindow();
    QTRY_VERIFY(m_main->isActiveWindow());
    m_main->setFocus();
    press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), m_main->SpeedButton1);

    int shots = 0, refusedShots = 0, pausedSteps = 0;
    bool sawStatistics = false, triedShotCell = false, triedOpponentTurn = false;
    QTimer driver;
    driver.setInterval(0);
    connect(&driver, &QTimer::timeout, this, [&] {
        if (m_main->Form4->isVisible()) {
            sawStatistics = true;
            QTest::keyClick(m_main->Form4, Qt::Key_Escape);
            return;
        }
        if (!m.GameInProgress)
            return;
        if (QApplication::focusWidget() != m_main->PaintBox2) {
            // From Start: back over the window's stop to the opponent's board.
            QCOMPARE(QApplication::focusWidget(), m_main->SpeedButton1);
            press(Qt::Key_Backtab);
            press(Qt::Key_Backtab);
            QCOMPARE(QApplication::focusWidget(), m_main->PaintBox2);
            return;
        }
        if (!m.PlayerTurn) {
            if (!triedOpponentTurn) {
                // The computer's turn: the shot is refused with the beep.
                triedOpponentTurn = true;
                const TBoard before = b.OpponentBoard;
                const int beeps = m_feedback.beeps;
                press(Qt::Key_Space);
                QCOMPARE(m_feedback.beeps, beeps + 1);
                QVERIFY(before.cells == b.OpponentBoard.cells);
            }
            QMetaObject::invokeMethod(
                m_main, [this] { m_main->Timer1Timer(); }, Qt::QueuedConnection);
            return;
        }
        if (pausedSteps == 0 && shots == 3) {
            // Paused: arrows leave the aim, Space beeps, nothing is shot.
            press(Qt::Key_P, Qt::AltModifier);
            QTRY_VERIFY(m.Paused);
            const int aimCol = m.AimCol, aimRow = m.AimRow, beeps = m_feedback.beeps;
            press(Qt::Key_Right);
            press(Qt::Key_Space);
            QCOMPARE(m.AimCol, aimCol);
            QCOMPARE(m.AimRow, aimRow);
            QCOMPARE(m_feedback.beeps, beeps + 1);
            press(Qt::Key_P, Qt::AltModifier);
            QTRY_VERIFY(!m.Paused);
            ++pausedSteps;
            return;
        }
        // The first cell not shot yet, column by column.
        for (int x = 1; x <= b.AreaSize; ++x)
            for (int y = 1; y <= b.AreaSize; ++y) {
                const auto code = b.OpponentBoard.at(x, y);
                if (code != CellWater && code != CellIntact)
                    continue;
                if (shots == 1 && !triedShotCell) {
                    // A cell already shot: refused with the beep.
                    triedShotCell = true;
                    walkCursorTo({0, 0});
                    const int beeps = m_feedback.beeps;
                    press(Qt::Key_Space);
                    QCOMPARE(m_feedback.beeps, beeps + 1);
                    ++refusedShots;
                    return;
                }
                walkCursorTo({x - 1, y - 1});
                // The aim follows the cursor, as it follows the pointer.
                QCOMPARE(m.AimCol, x - 1);
                QCOMPARE(m.AimRow, y - 1);
                press(Qt::Key_Space);
                QVERIFY(b.OpponentBoard.at(x, y) != code);
                ++shots;
                return;
            }
    });
    driver.start();
    press(Qt::Key_Space); // Start; returns when the match is over
    driver.stop();

    QVERIFY(sawStatistics);
    QVERIFY(shots >= 20);
    QCOMPARE(refusedShots, 1);
    QCOMPARE(pausedSteps, 1);
    QVERIFY(triedOpponentTurn);
    QVERIFY(!m.GameInProgress);
    int matches = 0;
    for (const TPlayerRecord &r : Game().ScoreData.Players)
        if (r.Free == 0)
            matches += r.Wins + r.Losses;
    QCOMPARE(matches, 1);
}

int main(int argc, char *argv[])
{
    static test::IsolatedDirectories directories;
    qputenv("TARNWAKE_SILENT", "1");
    QApplication app(argc, argv);
    KeyboardTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "keyboard_test.moc"
