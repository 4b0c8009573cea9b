// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "log/gamelog.h"
#include "match/match.h"
#include "model/random.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <ostream>
#include <utility>
#include <vector>

inline std::ostream &operator<<(std::ostream &os, const QString &text)
{
    return os << '"' << text.toStdString() << '"';
}

namespace tw {

// Everything around a match, recording every side effect, for tests that run
// without windows, sound or network: the dialogs, the sounds, the peer, the
// log file, the clock, and the match's signals once watch() has joined them.
// Answers (peer, invitation, message boxes) are set by the test; the clock
// stands still.
class FakeHost final : public MatchDialogs, public MatchSounds, public PeerChannel, public LogClock
{
public:
    using Side = Match::Side;

    struct LogEntry
    {
        QString text;
        bool withTime = false;
        bool withDate = false;
        friend bool operator==(const LogEntry &, const LogEntry &) = default;
    };

    struct ScrambleCall
    {
        bool ownBoard = false;
        bool columnNumber = false;
        int picture = 0;
        int x = 0;
        int y = 0;
    };

    // What the statistics window was shown with.
    struct StatisticsShown
    {
        QString endRemark;
        ScoreBlock scores;
        bool gameInProgress = false;
    };

    FakeHost(GameState &game, Random &random) : m_game(game), m_random(random), m_log(*this) {}

    // Records what the match's signals tell the windows.
    void watch(Match &match);
    GameLog &gameLog() { return m_log; }

    // Answers.
    bool linked = false;
    bool inviteAccepted = true; // else the invitation waits for peerAnswered()
    bool abortConfirmed = true;
    bool closeStatistics = true; // else the window stays until statisticsClosed()
    // With holdBoxes a box stays open: openBox answers it.
    bool holdBoxes = false;
    std::function<void(bool)> openBox;
    // What an agreement with the peer settled, handed to the next match that
    // begins (and then gone).
    std::optional<AgreedMatch> agreement;
    QDateTime clock{QDate(2024, 3, 9), QTime(14, 5, 6)};

    // Records. `events` holds every call in order, as short tags ("memo ...",
    // "log ...", "sound ...", "statistics"), for tests about ordering.
    QStringList events;
    QStringList memo;
    std::vector<LogEntry> log;
    QStringList sounds;
    QStringList music;
    int beeps = 0;
    std::vector<Box> boxes;
    std::vector<std::pair<int, int>> shotsSent;
    int abortsSent = 0;
    int agreementsOver = 0;
    int ownPaints = 0;
    int opponentPaints = 0;
    std::vector<bool> lampsPutOut; // true: the player's lamp (the turn passed to the opponent)
    QStringList ownCaptions;
    QStringList opponentCaptions;
    std::vector<ScrambleCall> scrambles;
    std::vector<std::pair<int, int>> clocks; // seconds: the player's, the opponent's
    std::vector<bool> pauses;
    int connectionStates = 0;
    int matchLayouts = 0;
    int idleLayouts = 0;
    std::vector<StatisticsShown> statistics;
    std::vector<ScoreBlock> saved; // the records as each save found them
    Board generatedFleet{};        // the last computer fleet, as generated

    // The log texts alone, in order.
    QStringList logTexts() const;
    // Forgets everything recorded so far; the answers stay.
    void clearRecords();

    // MatchDialogs
    void ask(Box box, std::function<void(bool)> answered) override;
    void generateOpponentFleet(Board &board) override;
    // MatchSounds
    void playSound(const QString &name) override;
    void playMusic(const QString &name) override;
    // PeerChannel
    bool peerConnected() const override { return linked; }
    Invitation invitePeer() override;
    std::optional<AgreedMatch> takeAgreedMatch() override { return std::exchange(agreement, {}); }
    void agreedMatchOver() override { ++agreementsOver; }
    void sendShot(int col, int row) override;
    void sendGameAborted() override;
    // LogClock
    QDateTime now() const override { return clock; }

private:
    // The log file, its lines recorded instead of written.
    class RecordingLog final : public GameLog
    {
    public:
        explicit RecordingLog(FakeHost &host) : m_host(host) {}
        void logLine(const QString &text, bool withTime, bool withDate) override;

    private:
        FakeHost &m_host;
    };

    void memoLine(const QString &line);
    void enterMatchLayout();
    void leaveMatchLayout();
    void paintBoard(Side side);
    void scramble(Side side, int x, int y);
    void saveRecords();
    void showStatistics();

    GameState &m_game;
    Random &m_random;
    RecordingLog m_log;
};

} // namespace tw
