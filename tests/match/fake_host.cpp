// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_host.h"

#include "common/gamestateaccess.h"

namespace tw {

QStringList FakeHost::logTexts() const
{
    QStringList texts;
    for (const LogEntry &entry : log)
        texts << entry.text;
    return texts;
}

void FakeHost::clearRecords()
{
    events.clear();
    memo.clear();
    log.clear();
    sounds.clear();
    music.clear();
    beeps = 0;
    boxes.clear();
    shotsSent.clear();
    abortsSent = 0;
    ownPaints = 0;
    opponentPaints = 0;
    lampsPutOut.clear();
    ownCaptions.clear();
    opponentCaptions.clear();
    scrambles.clear();
    clocks.clear();
    pauses.clear();
    connectionStates = 0;
    matchLayouts = 0;
    idleLayouts = 0;
    statistics.clear();
    saved.clear();
}

void FakeHost::watch(Match &match)
{
    QObject::connect(&match, &Match::modeChanged, [this](bool inMatch) {
        if (inMatch)
            enterMatchLayout();
        else
            leaveMatchLayout();
    });
    QObject::connect(&match, &Match::boardChanged, [this](Side side) { paintBoard(side); });
    QObject::connect(&match, &Match::captionChanged, [this](Side side, const QString &caption) {
        (side == Side::Own ? ownCaptions : opponentCaptions) << caption;
    });
    QObject::connect(&match, &Match::scrambleChanged,
                     [this](Side side, int x, int y) { scramble(side, x, y); });
    QObject::connect(&match, &Match::turnChanged, [this](bool playerTurn) {
        events << QStringLiteral("lamp out");
        lampsPutOut.push_back(!playerTurn);
    });
    QObject::connect(&match, &Match::clocksChanged,
                     [this](int player, int opponent) { clocks.emplace_back(player, opponent); });
    QObject::connect(&match, &Match::pausedChanged, [this](bool paused) {
        events << QStringLiteral("paused %1").arg(paused);
        pauses.push_back(paused);
    });
    QObject::connect(&match, &Match::idleTick, [this] { ++connectionStates; });
    QObject::connect(&match, &Match::shotRefused, [this] {
        events << QStringLiteral("beep");
        ++beeps;
    });
    QObject::connect(&match, &Match::logWindowLine,
                     [this](const QString &line) { memoLine(line); });
    QObject::connect(&match, &Match::resultCounted, [this] { saveRecords(); });
    QObject::connect(&match, &Match::statisticsDue, [this, &match] {
        showStatistics();
        if (closeStatistics)
            match.statisticsClosed();
    });
}

PeerChannel::Invitation FakeHost::invitePeer()
{
    events << QStringLiteral("invite");
    return inviteAccepted ? Invitation::NotNeeded : Invitation::Sent;
}

void FakeHost::sendShot(int col, int row)
{
    events << QStringLiteral("send shot %1 %2").arg(col).arg(row);
    shotsSent.emplace_back(col, row);
}

void FakeHost::sendGameAborted()
{
    events << QStringLiteral("send aborted");
    ++abortsSent;
}

void FakeHost::ask(Box box, std::function<void(bool)> answered)
{
    events << QStringLiteral("box %1").arg(static_cast<int>(box));
    boxes.push_back(box);
    if (holdBoxes)
        openBox = std::move(answered);
    else if (answered)
        answered(box == Box::ConfirmAbort ? abortConfirmed : true);
}

void FakeHost::generateOpponentFleet(Board &board)
{
    events << QStringLiteral("generate");
    FleetCounts counts;
    generateFleet(board, counts, m_game.boards().areaSize, m_random);
    generatedFleet = board;
}

void FakeHost::playSound(const QString &name)
{
    events << QStringLiteral("sound ") + name;
    sounds << name;
}

void FakeHost::playMusic(const QString &name)
{
    events << QStringLiteral("music ") + name;
    music << name;
}

void FakeHost::memoLine(const QString &line)
{
    events << QStringLiteral("memo ") + line;
    memo << line;
}

void FakeHost::RecordingLog::logLine(const QString &text, bool withTime, bool withDate)
{
    m_host.events << QStringLiteral("log ") + text;
    m_host.log.push_back({text, withTime, withDate});
}

void FakeHost::enterMatchLayout()
{
    events << QStringLiteral("match layout");
    ++matchLayouts;
}

void FakeHost::leaveMatchLayout()
{
    events << QStringLiteral("idle layout");
    ++idleLayouts;
}

void FakeHost::paintBoard(Side side)
{
    if (side == Side::Own) {
        events << QStringLiteral("paint own");
        ++ownPaints;
    } else {
        events << QStringLiteral("paint opponent");
        ++opponentPaints;
    }
}

void FakeHost::scramble(Side side, int x, int y)
{
    events << QStringLiteral("scramble");
    const MatchState &m = m_game.match();
    const Scramble::Mark mark = (side == Side::Own ? m.ownScramble : m.opponentScramble).at(x, y);
    scrambles.push_back({side == Side::Own, mark.columnNumber, mark.picture, x, y});
}

void FakeHost::saveRecords()
{
    events << QStringLiteral("save records");
    saved.push_back(m_game.scores());
}

void FakeHost::showStatistics()
{
    events << QStringLiteral("statistics");
    statistics.push_back(
        {matchOf(m_game).endRemark, m_game.scores(), matchOf(m_game).gameInProgress});
}

} // namespace tw
