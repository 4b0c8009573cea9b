#pragma once

#include "model/placement.h"
#include "records/scoredata.h"

#include <QString>

namespace tw {

// The six settings, kept with the player records in the score file and
// changed through the interface. Live copy; the score file is written from it
// at shutdown.
struct Settings
{
    bool MusicOn = true;
    bool SoundOn = true;
    bool EnglishUI = true;
    bool SaveLog = false;
    QString PlayerName = QStringLiteral("NewUser");
};

// One match, from Start to the statistics window.
struct MatchState
{
    bool GameInProgress = false;
    bool GameOver = false;
    bool PlayerTurn = false;
    bool Paused = false;
    bool GameAborted = false;
    int PlayerTime = 0;   // seconds of unpaused ticks in the player's turns
    int OpponentTime = 0; // the same for the opponent
    int GameScore = 0;    // never below 0
    int PlayerMisses = 0;
    int ShownScore = 0; // what the score counter shows, rolling toward GameScore
    int AimCol = -1;    // aimed cell of the opponent board, 0-based
    int AimRow = -1;
    QString OpponentName;
    QString EndRemark;
    TBoard RejectedCells{}; // the computer's cells rejected since its last real shot
};

// Agreeing a network match with a peer.
struct AgreementState
{
    bool AwaitingConfirmation = false;
    bool InviteDeclined = false;
    bool InviteAccepted = false;
    bool AcceptedByUs = false;
    int SentAimCol = 0;
    int SentAimRow = 0;
};

// Everything the running game holds. Nothing is allocated per match.
struct GameState
{
    BoardState boards;
    MatchState match;
    Settings settings;
    AgreementState agreement;
    // A modal dialog or the editor's Generate is busy; invitations are refused.
    bool ModalBusy = false;
    // The player records; the settings above are copied in before saving.
    TScoreData ScoreData{};
};

// The one instance of the running program.
GameState &Game();

// The English or the Russian text, as the interface language is now. Both
// are UTF-8 literals.
QString Lang(const char *english, const char *russian);

} // namespace tw
