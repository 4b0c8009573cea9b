// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "match/match.h"

class QWidget;

namespace tw {

class Audio;
class Feedback;
class GeneratingPanel;

// The match as the windows play it: it owns the Match and answers what the
// match asks (its message boxes, through the feedback; the computer's fleet,
// generated under the progress panel) and plays its sounds and music. What
// the match tells, the main window shows from its signals.
class MatchController final : private MatchDialogs, private MatchSounds
{
public:
    // Every reference must outlive the controller; window is the parent of
    // the message boxes.
    MatchController(GameState &game, Random &random, Feedback &feedback, Audio &audio,
                    PeerChannel &network, GameLog &log, const LogClock &clock,
                    GeneratingPanel &generating, QWidget *window);

    Match &match() { return m_match; }

private:
    bool ask(Box box) override;
    void generateOpponentFleet(Board &board) override;
    void playSound(const QString &name) override;
    void playMusic(const QString &name) override;

    const GameState &m_game;
    Feedback &m_feedback;
    Audio &m_audio;
    GeneratingPanel &m_generating;
    QWidget *m_window;
    Match m_match;
};

} // namespace tw
