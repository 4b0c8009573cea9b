// SPDX-License-Identifier: GPL-3.0-or-later
#include "matchcontroller.h"

#include "audio/audio.h"
#include "boardview.h"
#include "controlpanel.h"
#include "feedback.h"
#include "gamelogwindow.h"
#include "generatingpanel.h"
#include "net/netplay.h"
#include "statisticsdialog.h"
#include "widgets.h"

#include <QGroupBox>
#include <QTimer>

namespace tw {

MatchController::MatchController(GameState &game, Random &random, Feedback &feedback, Audio &audio,
                                 NetPlay &network, GameLog &log, const LogClock &clock,
                                 GeneratingPanel &generating, QWidget *window)
    : m_game(game), m_feedback(feedback), m_audio(audio), m_generating(generating),
      m_window(window), m_match(game, random, *this, *this, network, log, clock)
{
    // The peer's answer and shots go straight into the match.
    connect(&network, &NetPlay::inviteAnswered, &m_match, &Match::peerAnswered);
    connect(&network, &NetPlay::peerFired, &m_match, &Match::peerShot);
    connect(&m_match, &Match::shotRefused, this, [this] { m_feedback.beep(); });
}

void MatchController::showIn(const MatchViews &views)
{
    using Side = Match::Side;
    m_views = views;
    Match *match = &m_match;
    // Start begins a match or invites the peer to one, and returns at once:
    // the match then runs as events (clicks, ticks, packets).
    ControlPanel *panel = views.controlPanel;
    connect(panel, &ControlPanel::startClicked, match, &Match::begin);
    connect(panel, &ControlPanel::abortClicked, match, &Match::abort);
    connect(panel, &ControlPanel::pauseClicked, this,
            [this] { m_match.pauseButton(m_views.controlPanel->pauseDown()); });
    connect(match, &Match::boardChanged, this, [this](Side side) {
        (side == Side::Own ? m_views.ownBoard : m_views.opponentBoard)->repaintBoard();
    });
    connect(match, &Match::captionChanged, this, [this](Side side, const QString &caption) {
        (side == Side::Own ? m_views.ownFrame : m_views.opponentFrame)->setTitle(caption);
    });
    connect(match, &Match::scrambleChanged, this, [this](Side side, int x, int y) {
        (side == Side::Own ? m_views.ownBoard : m_views.opponentBoard)->updateCell({x - 1, y - 1});
    });
    // The lamp of the side that missed goes out at once; the indicator tick
    // lights the other.
    connect(match, &Match::turnChanged, views.controlPanel, &ControlPanel::turnPassed);
    connect(match, &Match::clocksChanged, views.controlPanel, &ControlPanel::showClocks);
    connect(match, &Match::pausedChanged, this,
            [this](bool paused) { m_views.turnTimer->setInterval(paused ? 100 : 1000); });
    connect(match, &Match::logWindowLine, views.logWindow, &GameLogWindow::appendLine);
    connect(match, &Match::statisticsDue, this, &MatchController::showStatistics);
}

void MatchController::showStatistics()
{
    StatisticsDialog *dialog = m_views.statisticsDialog;
    dialog->scrollToTop();
    centerOnScreen(dialog);
    // Counts as an open dialog: an invitation now would begin a match the
    // closing of this window then clears away.
    m_game.dialogOpened();
    openDialog(dialog, [this] {
        m_game.dialogClosed();
        m_match.statisticsClosed();
    });
}

void MatchController::ask(Box box, std::function<void(bool)> answered)
{
    const auto okPressed = [answered](BoxAnswer answer) {
        if (answered)
            answered(answer == BoxAnswer::Ok);
    };
    switch (box) {
    case Box::FleetIncomplete:
        m_feedback.message(
            m_window,
            catalogueOf(m_game.settings())
                .translate("MatchController", "Battle area is empty! Use Game Editor, which is "
                                              "located somewhere on the screen."),
            QStringLiteral(">:-|"), BoxIcon::Question, BoxButtons::Ok, BoxAnswer::Ok, okPressed);
        return;
    case Box::NoPlayerName:
        m_feedback.message(
            m_window,
            catalogueOf(m_game.settings())
                .translate("MatchController",
                           "Enter the player name by pressing the \"Player\" button!"),
            QStringLiteral(">:-|"), BoxIcon::Exclamation, BoxButtons::Ok, BoxAnswer::Ok, okPressed);
        return;
    case Box::ConfirmAbort:
        m_feedback.message(m_window,
                           catalogueOf(m_game.settings())
                               .translate("MatchController", "Do you want to abort the game?"),
                           QStringLiteral(":-?"), BoxIcon::Question, BoxButtons::OkCancel,
                           BoxAnswer::Cancel, okPressed);
        return;
    }
}

void MatchController::generateOpponentFleet(Board &board)
{
    // The counts of the own fleet, complete before a match can start, stay.
    FleetCounts scratch;
    m_generating.generate(board, scratch);
}

void MatchController::playSound(const QString &name)
{
    m_audio.playSound(name);
}

void MatchController::playMusic(const QString &name)
{
    m_audio.playMusic(name);
}

} // namespace tw
