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

    virtual bool PeerConnected() = 0;
    // The network step of Start: true when the match may begin (always in a
    // computer match).
    virtual bool InvitePeer() = 0;
    virtual void SendShot(int col, int row) = 0;
    virtual void SendGameAborted() = 0;

    virtual void Beep() = 0;
    // Shows one of the match's message boxes; true for OK.
    virtual bool Ask(Box box) = 0;

    // Fills the board with a random fleet, showing the generator's progress.
    virtual void GenerateOpponentFleet(TBoard &board) = 0;

    virtual QString ExplosionCue() = 0;
    virtual QString DestroyCue() = 0;
    virtual QString MissCue() = 0;
    virtual void PlaySound(const QString &name) = 0;
    virtual void PlayMusic(const QString &name) = 0;

    // A line in the log window, and one for the log file.
    virtual void MemoLine(const QString &line) = 0;
    virtual void LogLine(const QString &text, bool withTime = false, bool withDate = false) = 0;

    virtual void EnterMatchLayout() = 0; // the game layout and its music
    virtual void LeaveMatchLayout() = 0; // the idle layout and its music
    virtual void SetOwnBoardCaption(const QString &caption) = 0;
    virtual void SetOpponentBoardCaption(const QString &caption) = 0;
    virtual void PaintOwnBoard() = 0;
    virtual void PaintOpponentBoard() = 0;
    // Draws a column number (or a row letter) picture over a board cell.
    virtual void Scramble(bool ownBoard, bool columnNumber, int picture, int x, int y) = 0;
    virtual void PutOutTurnLamp(bool playerLamp) = 0;
    virtual void ShowTurnTimes(const QString &player, const QString &opponent) = 0;
    virtual void SetTurnInterval(int milliseconds) = 0;
    virtual void ShowConnectionState() = 0;
    // The statistics window, modal, scrolled to its top, with EndRemark on top.
    virtual void ShowStatistics() = 0;
    // Stores the records and settings now (the score file), so that a crash
    // or a kill later in the run cannot lose a result already counted.
    virtual void saveRecords() = 0;

    virtual QDateTime Now() = 0;
};

// A match against the computer or a network peer, from Start to the
// statistics window: the turn timer, the computer's targeting, the player's
// shot, pause, abort and the end with its records and remarks.
class Match
{
public:
    Match(GameState &game, MatchHost &host, Random &random);

    // Start, up to the moment the match runs. False when it did not begin.
    bool Begin();
    // After GameOver: clears both boards and returns to the idle layout.
    void Finish();

    // One tick of the turn timer, after the music upkeep.
    void Tick();

    // The opponent's shot at the own board: the computer's choice, or the
    // 0-based cell of a peer's shot packet. True after a hit.
    bool OpponentShot(int peerCol, int peerRow);

    // A click on the opponent board, at the hovered cell.
    void PlayerShot();

    // The pause button went down (true) or up.
    void PauseButton(bool down);
    void Abort();

    // The points of one shot, as the player's shot scores it.
    static int HitPoints(int misses, int areaSize);
    static int DestroyPoints(int misses, int areaSize);
    static int MissPoints(int playerTime, int areaSize);

    QString LossRemark();
    QString WinRemark();

private:
    enum class Ending
    {
        Lost,
        Won
    };
    void End(Ending ending);
    void LogGameSummary();
    void LogBoardRows(const TBoard &board);
    QString TimeText();
    QString DateTimeText();
    void ChooseComputerTarget(int &x, int &y);
    bool ClearOfWrecks(int x, int y) const;
    bool PickWoundedCell(int &x, int &y);
    bool UniqueNeighbourTarget(int &x, int &y) const;
    bool UniqueOpenCell(int &x, int &y) const;
    QString OutcomeWord(ShotOutcome outcome) const;

    GameState &m_game;
    MatchHost &m_host;
    Random &m_random;
};

} // namespace tw
