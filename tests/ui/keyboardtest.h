// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The game played without a mouse, and read the way a screen reader reads it.
// One class, so that every case shares the one main window and they run in
// the order declared: keyboard_test.cpp holds the fixture and the cell texts,
// focus order, shortcuts, placement and the accessible tree;
// keyboard_match_test.cpp a whole match played with the keyboard only.
#include "ui/mainwindow.h"
#include "uitest.h"

#include <QAccessibleInterface>
#include <QObject>
#include <QPoint>
#include <functional>

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
    void focusBoard(tw::BoardView *board);
    // Moves the cursor of the focused board to a cell with the edge keys and
    // the arrows only.
    void walkCursorTo(QPoint cell);
    // Runs `open` and answers the modal window it shows with Escape; true when
    // a modal window showed and closed.
    bool escapeCloses(const std::function<void()> &open, QWidget *expected);
    QAccessibleInterface *findByName(QAccessibleInterface *root, const QString &name);

    tw::test::RecordingFeedback m_feedback;
    tw::MainWindow *m_main = nullptr;
};
