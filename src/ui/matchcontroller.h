// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "match/match.h"

#include <QObject>

class QGroupBox;
class QTimer;
class QWidget;

namespace tw {

class Audio;
class BoardView;
class ControlPanel;
class Feedback;
class GameLogWindow;
class GeneratingPanel;
class NetPlay;
class StatisticsDialog;

// The windows a match shows itself in.
struct MatchViews
{
    BoardView *ownBoard;
    BoardView *opponentBoard;
    QGroupBox *ownFrame; // their titles name the sides
    QGroupBox *opponentFrame;
    ControlPanel *controlPanel; // turn lamps and clocks
    QTimer *turnTimer;          // ticks faster while paused
    GameLogWindow *logWindow;
    StatisticsDialog *statisticsDialog;
};

// The match as the windows play it: it owns the Match, answers what the
// match asks (its message boxes, through the feedback; the computer's fleet,
// generated under the progress panel), plays its sounds and music, shows
// what it tells in the views, and feeds it the peer's answers and shots.
class MatchController final : public QObject, private MatchDialogs, private MatchSounds
{
    Q_OBJECT
public:
    // Every reference must outlive the controller; window is the parent of
    // the message boxes.
    MatchController(GameState &game, Random &random, Feedback &feedback, Audio &audio,
                    NetPlay &network, GameLog &log, const LogClock &clock,
                    GeneratingPanel &generating, QWidget *window);

    Match &match() { return m_match; }
    // Precondition: the views outlive the controller.
    void showIn(const MatchViews &views);

private:
    void ask(Box box, std::function<void(bool)> answered) override;
    void generateOpponentFleet(Board &board) override;
    void playSound(const QString &name) override;
    void playMusic(const QString &name) override;
    void showStatistics();

    GameState &m_game;
    Feedback &m_feedback;
    Audio &m_audio;
    GeneratingPanel &m_generating;
    QWidget *m_window;
    Match m_match;
    MatchViews m_views{};
};

} // namespace tw
