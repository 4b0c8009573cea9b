// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamestate.h"
#include "log/gamelog.h"
#include "matchview.h"
#include "model/shots.h"
#include "opponent.h"

#include <QObject>
#include <QString>

namespace tw {

// A match against the computer or a network peer, from Start to the
// statistics window: the turn timer, the computer's targeting, the player's
// shot, pause, abort and the end with its records and remarks. It writes the
// log file itself; what the windows show follows its signals.
class Match : public QObject
{
    Q_OBJECT
public:
    // A board, a caption or a turn lamp: the player's own, or the opponent's.
    enum class Side
    {
        Own,
        Opponent
    };
    Q_ENUM(Side)

    // Every reference must outlive the match. The clock dates the lines of
    // the log window and the records.
    Match(GameState &game, Random &random, MatchDialogs &dialogs, MatchSounds &sounds,
          PeerChannel &network, GameLog &log, const LogClock &clock, QObject *parent = nullptr);

    // Start, up to the moment the match runs. False when it did not begin,
    // or waits for the peer's answer to the invitation, which may begin it
    // later (peerAnswered()).
    bool begin();
    // The peer answered this side's invitation: the match begins on Yes.
    // An answer nobody waits for is ignored.
    void peerAnswered(bool accepted);
    // After gameOver: clears both boards and returns to the idle layout.
    void finish();

    // Decides who plays the other side from the link as it stands: the peer
    // when linked, else the computer. begin() does it; a match set up by hand
    // calls it too.
    void chooseOpponent();

    // One tick of the turn timer, after the music upkeep.
    void tick();

    // The computer's move in its turn: a shot at the cell it chooses on the
    // own board, unless the choice is rejected (then nothing is fired). True
    // after a hit.
    bool computerShot();
    // A peer's shot packet at the 0-based cell of the own board. Refused in
    // the player's turn, outside the area and at a cell shot before (that
    // could turn a ship cell into water). True after a hit. While the
    // computer plays the other side, such a packet moves the computer.
    bool peerShot(int col, int row);

    // A click on the opponent board, at a 0-based cell (the hovered one);
    // a cell off the area does nothing.
    void playerShot(int col, int row);

    // The pause button went down (true) or up.
    void pauseButton(bool down);
    // Asks whether to abort the match; the match ends on OK, when it still
    // runs by then.
    void abort();
    // The statistics window of the match's end was closed: over() follows.
    // Until then the match is not cleared away, and none begins.
    void statisticsClosed();

    // The closing remark of the statistics window; draws from the random
    // source.
    QString lossRemark();
    QString winRemark();

signals:
    // The match began (true) or was cleared away (false), its counters
    // reset: the window changes its layout and music.
    void modeChanged(bool inMatch);
    void boardChanged(tw::Match::Side side);
    void captionChanged(tw::Match::Side side, const QString &caption);
    // A cell (1-based) of the scramble over a board changed, while paused
    // (MatchState::ownScramble, opponentScramble). The scramble is gone when
    // the pause ends, as boardChanged() then says.
    void scrambleChanged(tw::Match::Side side, int x, int y);
    // A miss passed the turn to the other side; playerTurn says whose it is
    // now.
    void turnChanged(bool playerTurn);
    // The seconds each side has been on the move, counted at a tick.
    void clocksChanged(int playerSeconds, int opponentSeconds);
    // The pause began or ended. A paused match ticks faster: every tick
    // scrambles the boards.
    void pausedChanged(bool paused);
    // A tick outside a match: the connection display's turn.
    void idleTick();
    // A click that fires nothing: the beep.
    void shotRefused();
    // A line for the log window.
    void logWindowLine(const QString &line);
    // The result is in the records: store them now (the score file), so that
    // a crash or a kill later in the run cannot lose it.
    void resultCounted();
    // The statistics window, scrolled to its top, with endRemark on top;
    // endRemark stays until statisticsClosed().
    void statisticsDue();
    // The match is over, its statistics closed: finish() may clear it away.
    void over();

private:
    enum class Ending
    {
        Lost,
        Won
    };
    // Begin, once the network step is done.
    void start();
    void end(Ending ending);
    // The player confirmed the abort question.
    void abortConfirmed();
    // The pause is over, or the match: the boards show themselves again.
    void clearScramble();
    // The opponent fires at the own board's cell (1-based), named shooter in
    // the reports; the one path of every opponent shot after its checks.
    bool opponentFires(int x, int y, const QString &shooter);
    const Catalogue &texts() const;
    // A line of the log file, written while the settings ask for it.
    void logLine(const QString &text, bool withTime = false, bool withDate = false);

    GameState &m_game;
    Random &m_random;
    MatchDialogs &m_dialogs;
    MatchSounds &m_sounds;
    PeerChannel &m_network;
    GameLog &m_log;
    const LogClock &m_clock;
    ComputerOpponent m_computer;
    PeerOpponent m_peer;
    Opponent *m_opponent = &m_computer;
    bool m_awaitingPeer = false;   // begin() sent an invitation
    bool m_abortAsked = false;     // the abort question is open
    bool m_statisticsOpen = false; // the end's statistics wait for their close
};

} // namespace tw
