// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/placement.h"
#include "records/scoredata.h"
#include "util/catalogue.h"

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
    // A shipped language besides English and Russian ("de"), or empty when
    // englishUi tells which of those two is spoken. The score file keeps
    // englishUi only; this one is kept in the settings file.
    QString otherLanguage;
    bool saveLog = false;
    QString playerName = QStringLiteral("NewUser");
};

// What a paused match shows over the boards: at each paused tick a cell of
// each board shows a column number or a row letter picture in place of its
// own, until the pause ends. 1-based cells, as on a Board.
class Scramble
{
public:
    struct Mark
    {
        bool columnNumber = false;
        int picture = -1; // in the numbers or the letters; -1: the cell shows itself
    };

    const Mark &at(int x, int y) const { return m_marks[index(x, y)]; }
    void mark(int x, int y, Mark mark) { m_marks[index(x, y)] = mark; }
    void clear() { m_marks.fill({}); }

private:
    static std::size_t index(int x, int y)
    {
        return static_cast<std::size_t>((x - 1) * BoardSide + y - 1);
    }
    std::array<Mark, BoardCells> m_marks{};
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
    Scramble ownScramble;  // while paused
    Scramble opponentScramble;
};

// Everything the running game holds, lent by reference to the windows, the
// match and the network. Nothing is allocated per match. The match state is
// the match's own: others read it, only Match writes it.
class GameState
{
public:
    BoardState &boards() { return m_boards; }
    const BoardState &boards() const { return m_boards; }
    Settings &settings() { return m_settings; }
    const Settings &settings() const { return m_settings; }
    // The player records; the settings are copied in before saving.
    ScoreBlock &scores() { return m_scores; }
    const ScoreBlock &scores() const { return m_scores; }
    const MatchState &match() const { return m_match; }

    // One of the game's dialogs is open; invitations are refused meanwhile.
    // Each opening is matched by one closing.
    bool modalBusy() const { return m_openDialogs > 0; }
    void dialogOpened() { ++m_openDialogs; }
    void dialogClosed() { --m_openDialogs; }

private:
    friend class Match;
    // Tests set a match up part-way through.
    friend struct GameStateTestAccess;

    BoardState m_boards;
    MatchState m_match;
    Settings m_settings;
    int m_openDialogs = 0;
    ScoreBlock m_scores{};
};

// The code of the language the settings speak: "en", "ru", "de"...
QString languageCode(const Settings &settings);
// The game's texts in that language.
const Catalogue &catalogueOf(const Settings &settings);

} // namespace tw
