#pragma once

#include "gamestate.h"
#include "model/shots.h"

#include <QDateTime>
#include <QString>

namespace tw {

// What a match needs from the world around it: windows, sound, the log, the
// network, the clock. The windows implement it; tests use a recording fake.
class MatchHost
{
public:
    enum class Box
    {
        FleetIncomplete,
        NoPlayerName,
        ConfirmAbort
    };

    virtual ~MatchHost() = default;

    virtual bool peerConnected() = 0;
    // The network step of Start: true when the match may begin (always in a
    // computer match).
    virtual bool invitePeer() = 0;
    virtual void sendShot(int col, int row) = 0;
    virtual void sendGameAborted() = 0;

    virtual void beep() = 0;
    // Shows one of the match's message boxes; true for OK.
    virtual bool ask(Box box) = 0;

    // Fills the board with a random fleet, showing the generator's progress.
    virtual void generateOpponentFleet(Board &board) = 0;

    virtual QString explosionCue() = 0;
    virtual QString destroyCue() = 0;
    virtual QString missCue() = 0;
    virtual void playSound(const QString &name) = 0;
    virtual void playMusic(const QString &name) = 0;

    // A line in the log window, and one for the log file.
    virtual void memoLine(const QString &line) = 0;
    virtual void logLine(const QString &text, bool withTime = false, bool withDate = false) = 0;

    virtual void enterMatchLayout() = 0; // the game layout and its music
    virtual void leaveMatchLayout() = 0; // the idle layout and its music
    virtual void setOwnBoardCaption(const QString &caption) = 0;
    virtual void setOpponentBoardCaption(const QString &caption) = 0;
    virtual void paintOwnBoard() = 0;
    virtual void paintOpponentBoard() = 0;
    // Draws a column number (or a row letter) picture over a board cell.
    virtual void scramble(bool ownBoard, bool columnNumber, int picture, int x, int y) = 0;
    virtual void putOutTurnLamp(bool playerLamp) = 0;
    virtual void showTurnTimes(const QString &player, const QString &opponent) = 0;
    virtual void setTurnInterval(int milliseconds) = 0;
    virtual void showConnectionState() = 0;
    // The statistics window, modal, scrolled to its top, with endRemark on top.
    virtual void showStatistics() = 0;
    // Stores the records and settings now (the score file), so that a crash
    // or a kill later in the run cannot lose a result already counted.
    virtual void saveRecords() = 0;

    virtual QDateTime now() = 0;
};

// A match against the computer or a network peer, from Start to the
// statistics window: the turn timer, the computer's targeting, the player's
// shot, pause, abort and the end with its records and remarks.
class Match
{
public:
    Match(GameState &game, MatchHost &host, Random &random);

    // Start, up to the moment the match runs. False when it did not begin.
    bool begin();
    // After gameOver: clears both boards and returns to the idle layout.
    void finish();

    // One tick of the turn timer, after the music upkeep.
    void tick();

    // The opponent's shot at the own board: the computer's choice, or the
    // 0-based cell of a peer's shot packet. True after a hit.
    bool opponentShot(int peerCol, int peerRow);

    // A click on the opponent board, at a 0-based cell (the hovered one);
    // a cell off the area does nothing.
    void playerShot(int col, int row);

    // The pause button went down (true) or up.
    void pauseButton(bool down);
    void abort();

    // The closing remark of the statistics window; draws from the random
    // source.
    QString lossRemark();
    QString winRemark();

private:
    enum class Ending
    {
        Lost,
        Won
    };
    void end(Ending ending);
    // The sound of a shot, drawn by the host.
    QString shotCue(ShotOutcome outcome);

    GameState &m_game;
    MatchHost &m_host;
    Random &m_random;
};

} // namespace tw
