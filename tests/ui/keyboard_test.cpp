// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard's focus order, the boards' cell cursors, shortcuts and the
// accessible tree; the fixture every keyboard case shares.
#include "keyboardtest.h"
#include "match/gamestate.h"
#include "model/placement.h"
#include "ui/accessibility.h"
#include "ui/mainwindow.h"
#include "ui/resources.h"
#include "uitest.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace tw;

void KeyboardTest::initTestCase()
{
    m_main = test::startMainWindow(m_feedback, true); // the tests tick by themselves
    QVERIFY(m_main);
}

void KeyboardTest::init()
{
    m_main->activateWindow();
    QTRY_VERIFY(m_main->isActiveWindow());
    m_main->setFocus();
    if (!m_main->game().settings().englishUi)
        m_main->toggleLanguage();
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
    if (board == test::child<BoardView>(m_main, "ownBoard"))
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
    QCOMPARE(cellAccessibleText(4, 2, c, opponent, inMatch, true), english);
    QCOMPARE(cellAccessibleText(4, 2, c, opponent, inMatch, false), russian);
}

void KeyboardTest::tabWalksTheControlsAndBothBoards()
{
    const QList<QWidget *> order = {test::child<QToolButton>(m_main, "startButton"),
                                    test::child<QToolButton>(m_main, "pauseButton"),
                                    test::child<QToolButton>(m_main, "abortButton"),
                                    test::child<QToolButton>(m_main, "playerButton"),
                                    test::child<QToolButton>(m_main, "scoresButton"),
                                    test::child<QToolButton>(m_main, "aboutButton"),
                                    test::child<ClickLabel>(m_main, "musicToggle"),
                                    test::child<ClickLabel>(m_main, "soundToggle"),
                                    test::child<ClickLabel>(m_main, "languageToggle"),
                                    test::child<BoardView>(m_main, "ownBoard"),
                                    test::child<BoardView>(m_main, "opponentBoard"),
                                    m_main};
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
    test::child<EditorWindow>(m_main, "EditorWindow")->activateWindow();
    QTRY_VERIFY(!m_main->isActiveWindow());
    m_main->activateWindow();
    QTRY_VERIFY(m_main->isActiveWindow());
    QCOMPARE(QApplication::focusWidget(), m_main);

    // The editor's controls take the focus too, arrows included.
    test::child<EditorWindow>(m_main, "EditorWindow")->activateWindow();
    QTRY_VERIFY(test::child<EditorWindow>(m_main, "EditorWindow")->isActiveWindow());
    test::child<QToolButton>(test::child<EditorWindow>(m_main, "EditorWindow"),
                             "previousShipTypeButton")
        ->setFocus(Qt::TabFocusReason);
    QTest::keyClick(test::child<QToolButton>(test::child<EditorWindow>(m_main, "EditorWindow"),
                                             "previousShipTypeButton"),
                    Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(),
             test::child<QToolButton>(test::child<EditorWindow>(m_main, "EditorWindow"),
                                      "nextShipTypeButton"));
    const int type = m_main->game().boards().selectedShipType;
    press(Qt::Key_Return);
    QCOMPARE(m_main->game().boards().selectedShipType, type % ShipTypeCount + 1);
    press(Qt::Key_Space);
    QCOMPARE(m_main->game().boards().selectedShipType, (type + 1) % ShipTypeCount + 1);
    m_main->game().boards().selectedShipType = 1;
}

void KeyboardTest::typedKeysStillReachTheChat()
{
    QLineEdit *chat =
        test::child<QLineEdit>(test::child<ChatWindow>(m_main, "ChatWindow"), "input");
    chat->clear();
    // Nothing focused: every character goes to the chat line, Space too.
    QTest::keyClicks(m_main, QStringLiteral("a b"));
    QCOMPARE(chat->text(), QStringLiteral("a b"));
    // A focused button leaves letters alone; a focused board takes only its
    // own keys.
    test::child<QToolButton>(m_main, "playerButton")->setFocus(Qt::TabFocusReason);
    press(Qt::Key_C);
    focusBoard(test::child<BoardView>(m_main, "ownBoard"));
    const QPoint cursor = test::child<BoardView>(m_main, "ownBoard")->cursorCell();
    press(Qt::Key_D);
    press(Qt::Key_Backspace);
    press(Qt::Key_E);
    QCOMPARE(chat->text(), QStringLiteral("a bce"));
    press(Qt::Key_Right);
    QCOMPARE(test::child<BoardView>(m_main, "ownBoard")->cursorCell(),
             cursor + QPoint(cursor.x() < 9 ? 1 : 0, 0));
    QCOMPARE(chat->text(), QStringLiteral("a bce"));
    chat->clear();
}

void KeyboardTest::switchesToggleFromTheKeyboard()
{
    Settings &s = m_main->game().settings();
    QAccessibleInterface *music =
        QAccessible::queryAccessibleInterface(test::child<ClickLabel>(m_main, "musicToggle"));
    QAccessibleInterface *sound =
        QAccessible::queryAccessibleInterface(test::child<ClickLabel>(m_main, "soundToggle"));
    QCOMPARE(music->role(), QAccessible::CheckBox);
    QVERIFY(music->state().checkable);
    const bool musicOn = s.musicOn, soundOn = s.soundOn;
    QCOMPARE(music->state().checked, musicOn);
    test::child<ClickLabel>(m_main, "musicToggle")->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space);
    QCOMPARE(s.musicOn, !musicOn);
    QCOMPARE(music->state().checked, !musicOn);
    press(Qt::Key_Tab);
    press(Qt::Key_Return);
    QCOMPARE(s.soundOn, !soundOn);
    QCOMPARE(sound->state().checked, !soundOn);
    // The language switch answers Return as well; the names follow it.
    press(Qt::Key_Tab);
    press(Qt::Key_Return);
    QVERIFY(!s.englishUi);
    QCOMPARE(test::child<ScoreCounter>(m_main, "scoreCounter")->accessibleName(),
             QStringLiteral("Счёт 0"));
    QCOMPARE(
        QAccessible::queryAccessibleInterface(test::child<ClickLabel>(m_main, "languageToggle"))
            ->text(QAccessible::Name),
        QStringLiteral("English"));
    press(Qt::Key_Space);
    QVERIFY(s.englishUi);
    test::actionsOf(m_main).toggleMusic();
    test::actionsOf(m_main).toggleSound();
    QCOMPARE(s.musicOn, musicOn);
}

void KeyboardTest::shortcutsOpenTheWindowsAndEscapeClosesThem()
{
    QCOMPARE(test::child<QToolButton>(m_main, "startButton")->shortcut(),
             QKeySequence(Qt::ALT | Qt::Key_S));
    QVERIFY(escapeCloses([this] { press(Qt::Key_C, Qt::AltModifier); },
                         test::child<StatisticsDialog>(m_main, "StatisticsDialog")));
    QVERIFY(escapeCloses([this] { press(Qt::Key_B, Qt::AltModifier); },
                         test::child<AboutDialog>(m_main, "AboutDialog")));
    const QString name = m_main->game().settings().playerName;
    QVERIFY(escapeCloses([this] { press(Qt::Key_L, Qt::AltModifier); },
                         test::child<PlayersDialog>(m_main, "PlayersDialog")));
    QCOMPARE(m_main->game().settings().playerName, name);

    // In Russian the letters are those of the Russian captions.
    m_main->toggleLanguage();
    QCOMPARE(test::child<QToolButton>(m_main, "startButton")->shortcut(),
             QKeySequence(Qt::ALT | Qt::Key(u'С')));
    QCOMPARE(test::child<QToolButton>(m_main, "scoresButton")->shortcut(),
             QKeySequence(Qt::ALT | Qt::Key(u'Д')));
    QVERIFY(escapeCloses([this] { press(u'Д', Qt::AltModifier); },
                         test::child<StatisticsDialog>(m_main, "StatisticsDialog")));
    m_main->toggleLanguage();
    QCOMPARE(test::child<QToolButton>(m_main, "scoresButton")->shortcut(),
             QKeySequence(Qt::ALT | Qt::Key_C));
}

void KeyboardTest::placementByKeyboardWithTheRefusalBeep()
{
    BoardState &b = m_main->game().boards();
    BoardView *own = test::child<BoardView>(m_main, "ownBoard");
    test::child<QPushButton>(test::child<EditorWindow>(m_main, "EditorWindow"), "clearButton")
        ->click(); // Clear
    b.selectedShipType = 1;
    b.rotation = 0;
    focusBoard(own);
    walkCursorTo({0, 0});
    QCOMPARE(own->cursorCell(), QPoint(0, 0));
    QCOMPARE(test::boardPlayOf(m_main).hoveredCell(), QPoint(0, 0));
    QCOMPARE(own->stampCount(), 1); // the preview of the one-cell ship

    // Held keys at the edge: the cursor stays and nothing beeps.
    const int beeps = m_feedback.beeps;
    for (int i = 0; i < 5; ++i) {
        pressRepeated(Qt::Key_Left);
        pressRepeated(Qt::Key_Up);
    }
    QCOMPARE(own->cursorCell(), QPoint(0, 0));
    press(Qt::Key_Space);
    QCOMPARE(b.ownBoard.at(1, 1), CellShip);
    QCOMPARE(b.placedFleet[1], 1);
    // A held Space places once; its repeats do nothing at all.
    pressRepeated(Qt::Key_Space);
    QCOMPARE(m_feedback.beeps, beeps);
    // Touching the first ship: refused with the beep.
    press(Qt::Key_Right);
    press(Qt::Key_Return);
    QCOMPARE(m_feedback.beeps, beeps + 1);
    QCOMPARE(b.ownBoard.at(2, 1), CellWater);
    // End and PageDown reach the far corner.
    press(Qt::Key_End);
    press(Qt::Key_PageDown);
    QCOMPARE(own->cursorCell(), QPoint(9, 9));
    press(Qt::Key_Enter);
    QCOMPARE(b.ownBoard.at(10, 10), CellShip);

    // The pointer moves the same cursor, and the cursor the same preview.
    QTest::mouseMove(own, BoardView::cellCentre({4, 6}));
    QCOMPARE(own->cursorCell(), QPoint(4, 6));
    press(Qt::Key_Up);
    QCOMPARE(test::boardPlayOf(m_main).hoveredCell(), QPoint(4, 5));
    QCOMPARE(own->stampCount(), 1);

    // A complete fleet takes no more ships.
    test::child<QPushButton>(test::child<EditorWindow>(m_main, "EditorWindow"), "generateButton")
        ->click(); // Generate
    QCOMPARE(QApplication::focusWidget(), own);
    QVERIFY(fleetComplete(b.placedFleet));
    press(Qt::Key_Space);
    QCOMPARE(m_feedback.beeps, beeps + 2);

    // Outside a match the opponent's board neither aims nor fires: the beep.
    focusBoard(test::child<BoardView>(m_main, "opponentBoard"));
    press(Qt::Key_Down);
    QCOMPARE(test::child<BoardView>(m_main, "opponentBoard")->stampCount(), 0);
    press(Qt::Key_Space);
    QCOMPARE(m_feedback.beeps, beeps + 3);
}

void KeyboardTest::accessibleTreeNamesEveryPaintedPiece()
{
    BoardState &b = m_main->game().boards();
    test::child<QPushButton>(test::child<EditorWindow>(m_main, "EditorWindow"), "clearButton")
        ->click();
    b.ownBoard.at(4, 2) = CellShip; // B4
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
    focusBoard(test::child<BoardView>(m_main, "ownBoard"));
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
    m_main->toggleLanguage();
    QCOMPARE(b4->text(QAccessible::Name), QStringLiteral("B4, свой корабль"));
    QVERIFY(findByName(window, QStringLiteral("Ваше поле")));
    QVERIFY(findByName(window, QStringLiteral("Лампа вашего хода, не горит")));
    QVERIFY(findByName(window, QStringLiteral("Ваше время")));
    QVERIFY(findByName(window, QStringLiteral("Музыка")));
    m_main->toggleLanguage();

    // A new area size gives a table of the new size.
    m_main->applyAreaSize(12);
    QCOMPARE(own->tableInterface()->rowCount(), 12);
    QCOMPARE(own->childCount(), 144);
    QCOMPARE(own->tableInterface()->cellAt(11, 11)->text(QAccessible::Name),
             QStringLiteral("L12, water"));
    m_main->applyAreaSize(10);
}

int main(int argc, char *argv[])
{
    return test::runWindowTest<KeyboardTest>(argc, argv);
}
