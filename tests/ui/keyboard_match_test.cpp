// SPDX-License-Identifier: GPL-3.0-or-later
// A whole match against the computer played with the keyboard only: Generate
// and Start by key, aiming and firing with the cursor, the refusals on the
// way, pausing, and the statistics window closed with Escape.
#include "common/gamestateaccess.h"
#include "keyboardtest.h"
#include "match/gamestate.h"
#include "model/placement.h"
#include "ui/mainwindow.h"
#include "ui/resources.h"
#include "uitest.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace tw;

void KeyboardTest::wholeMatchPlayedWithTheKeyboardOnly()
{
    MatchState &m = matchOf(m_main->game());
    BoardState &b = m_main->game().boards();
    m_main->random().seed(77);
    // Generate and Start from the keyboard as well.
    test::child<EditorWindow>(m_main, "EditorWindow")->activateWindow();
    QTRY_VERIFY(test::child<EditorWindow>(m_main, "EditorWindow")->isActiveWindow());
    test::child<QPushButton>(test::child<EditorWindow>(m_main, "EditorWindow"), "generateButton")
        ->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space);
    QVERIFY(fleetComplete(b.placedFleet));
    m_main->activateWindow();
    QTRY_VERIFY(m_main->isActiveWindow());
    m_main->setFocus();
    press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), test::child<QToolButton>(m_main, "startButton"));

    int shots = 0, refusedShots = 0, pausedSteps = 0;
    bool sawStatistics = false, triedShotCell = false, triedOpponentTurn = false;
    QTimer driver;
    driver.setInterval(0);
    connect(&driver, &QTimer::timeout, this, [&] {
        if (test::child<StatisticsDialog>(m_main, "StatisticsDialog")->isVisible()) {
            sawStatistics = true;
            QTest::keyClick(test::child<StatisticsDialog>(m_main, "StatisticsDialog"),
                            Qt::Key_Escape);
            return;
        }
        if (!m.gameInProgress)
            return;
        if (QApplication::focusWidget() != test::child<BoardView>(m_main, "opponentBoard")) {
            // From Start: back over the window's stop to the opponent's board.
            QCOMPARE(QApplication::focusWidget(), test::child<QToolButton>(m_main, "startButton"));
            press(Qt::Key_Backtab);
            press(Qt::Key_Backtab);
            QCOMPARE(QApplication::focusWidget(), test::child<BoardView>(m_main, "opponentBoard"));
            return;
        }
        if (!m.playerTurn) {
            if (!triedOpponentTurn) {
                // The computer's turn: the shot is refused with the beep.
                triedOpponentTurn = true;
                const Board before = b.opponentBoard;
                const int beeps = m_feedback.beeps;
                press(Qt::Key_Space);
                QCOMPARE(m_feedback.beeps, beeps + 1);
                QVERIFY(before.cells == b.opponentBoard.cells);
            }
            QMetaObject::invokeMethod(
                m_main, [this] { m_main->onTurnTick(); }, Qt::QueuedConnection);
            return;
        }
        if (pausedSteps == 0 && shots == 3) {
            // Paused: arrows leave the aim, Space beeps, nothing is shot.
            press(Qt::Key_P, Qt::AltModifier);
            QTRY_VERIFY(m.paused);
            const QPoint aim = test::boardPlayOf(m_main).aimedCell();
            const int beeps = m_feedback.beeps;
            press(Qt::Key_Right);
            press(Qt::Key_Space);
            QCOMPARE(test::boardPlayOf(m_main).aimedCell(), aim);
            QCOMPARE(m_feedback.beeps, beeps + 1);
            press(Qt::Key_P, Qt::AltModifier);
            QTRY_VERIFY(!m.paused);
            ++pausedSteps;
            return;
        }
        // The first cell not shot yet, column by column.
        for (int x = 1; x <= b.areaSize; ++x)
            for (int y = 1; y <= b.areaSize; ++y) {
                const auto code = b.opponentBoard.at(x, y);
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
                QCOMPARE(test::boardPlayOf(m_main).aimedCell(), QPoint(x - 1, y - 1));
                press(Qt::Key_Space);
                QVERIFY(b.opponentBoard.at(x, y) != code);
                ++shots;
                return;
            }
    });
    driver.start();
    QSignalSpy modes(&m_main->match(), &Match::modeChanged);
    press(Qt::Key_Space); // Start
    // The match runs on events; it is over once its boards are cleared away.
    QTRY_VERIFY_WITH_TIMEOUT(!modes.isEmpty() && !modes.last().at(0).toBool(), 120000);
    driver.stop();

    QVERIFY(sawStatistics);
    QVERIFY(shots >= 20);
    QCOMPARE(refusedShots, 1);
    QCOMPARE(pausedSteps, 1);
    QVERIFY(triedOpponentTurn);
    QVERIFY(!m.gameInProgress);
    int matches = 0;
    for (const PlayerRecord &r : m_main->game().scores().players)
        if (r.free == 0)
            matches += r.wins + r.losses;
    QCOMPARE(matches, 1);
}
