#pragma once

#include "match/match.h"
#include "model/random.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <ostream>
#include <vector>

inline std::ostream &operator<<(std::ostream &os, const QString &text)
{
    return os << '"' << text.toStdString() << '"';
}

namespace tw {

// A MatchHost that records every side effect of a match, for tests that run
// without windows, sound or network. Answers (peer, invitation, message
// boxes) are set by the test; the clock stands still.
//
// Like the main window it stands for, it resets the match counters when the
// layout changes and draws the sound cues from the match's generator, so
// that a test sees the same state and the same random sequence as the game.
class FakeHost final : public MatchHost
{
public:
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

    FakeHost(GameState &game, Random &random) : m_game(game), m_random(random) {}

    // Answers.
    bool linked = false;
    bool inviteAccepted = true;
    bool abortConfirmed = true;
    QDateTime clock{QDate(2024, 3, 9), QTime(14, 5, 6)};

    // Records. `events` holds every call in order, as short tags ("memo ...",
    // "log ...", "sound ...", "statistics"), for tests about ordering.
    QStringList events;
    QStringList memo;
    std::vector<LogEntry> log;
    QStringList sounds;
    QStringList music;
    QStringList cues; // "explosion", "destroy", "miss", in the order drawn
    int beeps = 0;
    std::vector<Box> boxes;
    std::vector<std::pair<int, int>> shotsSent;
    int abortsSent = 0;
    int ownPaints = 0;
    int opponentPaints = 0;
    std::vector<bool> lampsPutOut; // true: the player's lamp
    QStringList ownCaptions;
    QStringList opponentCaptions;
    std::vector<ScrambleCall> scrambles;
    std::vector<std::pair<QString, QString>> turnTimes;
    std::vector<int> intervals;
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

    bool peerConnected() override { return linked; }
    bool invitePeer() override;
    void sendShot(int col, int row) override;
    void sendGameAborted() override;
    void beep() override;
    bool ask(Box box) override;
    void generateOpponentFleet(Board &board) override;
    QString explosionCue() override;
    QString destroyCue() override;
    QString missCue() override;
    void playSound(const QString &name) override;
    void playMusic(const QString &name) override;
    void memoLine(const QString &line) override;
    void logLine(const QString &text, bool withTime, bool withDate) override;
    void enterMatchLayout() override;
    void leaveMatchLayout() override;
    void setOwnBoardCaption(const QString &caption) override;
    void setOpponentBoardCaption(const QString &caption) override;
    void paintOwnBoard() override;
    void paintOpponentBoard() override;
    void scramble(bool ownBoard, bool columnNumber, int picture, int x, int y) override;
    void putOutTurnLamp(bool playerLamp) override;
    void showTurnTimes(const QString &player, const QString &opponent) override;
    void setTurnInterval(int milliseconds) override;
    void showConnectionState() override;
    void showStatistics() override;
    void saveRecords() override;
    QDateTime now() override { return clock; }

private:
    GameState &m_game;
    Random &m_random;
};

} // namespace tw
