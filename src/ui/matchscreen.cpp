// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's side of a match: the buttons that drive it and what the
// window shows of its signals.
#include "feedback.h"
#include "mainwindow.h"
#include "pictures.h"

namespace tw {

void MainWindow::connectMatch()
{
    using Side = Match::Side;
    Match *match = &this->match();
    connect(match, &Match::modeChanged, this, &MainWindow::applyModeLayout);
    connect(match, &Match::boardChanged, this, [this](Side side) {
        if (side == Side::Own)
            paintOwnBoard();
        else
            paintOpponentBoard();
    });
    connect(match, &Match::captionChanged, this, [this](Side side, const QString &caption) {
        (side == Side::Own ? m_ownBoardFrame : m_opponentBoardFrame)->setTitle(caption);
    });
    connect(
        match, &Match::boardScrambled, this,
        [this](Side side, bool columnNumber, int picture, int x, int y) {
            const Pictures &pictures = Pictures::get();
            const QPixmap &image =
                (columnNumber ? pictures.columnNumbers : pictures.rowLetters).value(picture);
            (side == Side::Own ? m_ownBoard : m_opponentBoard)->stampCell(image, {x - 1, y - 1});
        });
    // The lamp of the side that missed goes out at once; the indicator tick
    // lights the other.
    connect(match, &Match::turnChanged, m_controlPanel, &ControlPanel::turnPassed);
    connect(match, &Match::clocksChanged, m_controlPanel, &ControlPanel::showClocks);
    connect(match, &Match::pausedChanged, this,
            [this](bool paused) { m_turnTimer->setInterval(paused ? 100 : 1000); });
    connect(match, &Match::idleTick, m_net, &NetworkController::showConnectionState);
    connect(match, &Match::shotRefused, this, [this] { m_feedback.beep(); });
    connect(match, &Match::logWindowLine, this,
            [this](const QString &line) { m_gameLogWindow->appendLine(line); });
    connect(match, &Match::resultCounted, this, &MainWindow::saveRecords);
    connect(match, &Match::statisticsDue, this, &MainWindow::showMatchStatistics);
    // The peer's answer and shots go straight into the match.
    connect(&m_net->play(), &NetPlay::inviteAnswered, match, &Match::peerAnswered);
    connect(&m_net->play(), &NetPlay::peerFired, match, &Match::peerShot);
    // Queued: the tick that ended the match, and the statistics window it
    // showed, are done before the boards are cleared.
    connect(match, &Match::over, this, &MainWindow::finishMatch, Qt::QueuedConnection);
}

void MainWindow::startMatch()
{
    // The match then runs as events: clicks, ticks, packets; a network match
    // begins when the peer's answer comes.
    match().begin();
}

void MainWindow::finishMatch()
{
    // A shutdown in the middle of the match has saved the records without it.
    if (!m_closing)
        match().finish();
}

void MainWindow::abortMatch()
{
    match().abort();
}

void MainWindow::togglePause()
{
    match().pauseButton(m_controlPanel->pauseDown());
}

void MainWindow::showMatchStatistics()
{
    m_statisticsDialog->scrollToTop();
    tw::centerOnScreen(m_statisticsDialog);
    m_statisticsDialog->exec();
}

} // namespace tw
