// SPDX-License-Identifier: GPL-3.0-or-later
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
    bool musicOn = true;
    bool soundOn = true;
    bool englishUi = true;
    bool saveLog = false;
    QString playerName = QStringLiteral("NewUser");
};

// One match, from Start to the statistics window.
struct MatchState
{
    bool gameInProgress = false;
    bool gameOver = false;
    bool playerTurn = false;
    bool paused = false;
    bool gameAborted = false;
    int playerTime = 0;   // seconds of unpaused ticks in the player's turns
    int opponentTime = 0; // the same for the opponent
    int gameScore = 0;    // never below 0
    int playerMisses = 0;
    QString opponentName;
    QString endRemark;
    Board rejectedCells{}; // the computer's cells rejected since its last real shot
};

// Where agreeing a network match with the peer stands.
enum class AgreementPhase
{
    None,           // nothing under way; also while an agreed match runs
    AwaitingAnswer, // this side invited the peer; Start waits for the answer
    InviteAccepted, // the peer accepted, or its invitation crossed this side's
    InviteDeclined, // the peer refused, or the link was lost while waiting
    AcceptedByUs,   // the player accepted the peer's invitation; Start follows
};

// Agreeing a network match with a peer.
struct AgreementState
{
    AgreementPhase phase = AgreementPhase::None;
    int sentAimCol = 0;
    int sentAimRow = 0;

    // The peer's board is being agreed on: not shown yet.
    bool awaitingConfirmation() const { return phase != AgreementPhase::None; }
    bool acceptedByUs() const { return phase == AgreementPhase::AcceptedByUs; }
    // The agreed match is over (or never began): a next one needs a new
    // agreement. A wait for an answer is left as it is.
    void dropAcceptance()
    {
        if (phase == AgreementPhase::AcceptedByUs)
            phase = AgreementPhase::None;
    }
};

// Everything the running game holds. Nothing is allocated per match.
struct GameState
{
    BoardState boards;
    MatchState match;
    Settings settings;
    AgreementState agreement;
    // A modal dialog or the editor's Generate is busy; invitations are refused.
    bool modalBusy = false;
    // The player records; the settings above are copied in before saving.
    ScoreBlock scores{};
};

// The English or the Russian text, as the interface language of the settings
// is now. Both are UTF-8 literals.
QString localized(const Settings &settings, const char *english, const char *russian);

} // namespace tw
