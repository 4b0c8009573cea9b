#include "fake_host.h"

namespace tw {

QStringList FakeHost::LogTexts() const
{
    QStringList texts;
    for (const LogEntry &entry : log)
        texts << entry.text;
    return texts;
}

void FakeHost::ClearRecords()
{
    events.clear();
    memo.clear();
    log.clear();
    sounds.clear();
    music.clear();
    cues.clear();
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
    turnTimes.clear();
    intervals.clear();
    connectionStates = 0;
    matchLayouts = 0;
    idleLayouts = 0;
    statistics.clear();
    saved.clear();
}

bool FakeHost::InvitePeer()
{
    events << QStringLiteral("invite");
    return inviteAccepted;
}

void FakeHost::SendShot(int col, int row)
{
    events << QStringLiteral("send shot %1 %2").arg(col).arg(row);
    shotsSent.emplace_back(col, row);
}

void FakeHost::SendGameAborted()
{
    events << QStringLiteral("send aborted");
    ++abortsSent;
}

void FakeHost::Beep()
{
    events << QStringLiteral("beep");
    ++beeps;
}

bool FakeHost::Ask(Box box)
{
    events << QStringLiteral("box %1").arg(static_cast<int>(box));
    boxes.push_back(box);
    return box == Box::ConfirmAbort ? abortConfirmed : true;
}

void FakeHost::GenerateOpponentFleet(TBoard &board)
{
    events << QStringLiteral("generate");
    TFleetCounts counts;
    GenerateFleet(board, counts, m_game.boards.AreaSize, m_random);
    generatedFleet = board;
}

// The cues draw their variant like the sound player does, so that the number
// of draws per shot can be told from the generator.
QString FakeHost::ExplosionCue()
{
    cues << QStringLiteral("explosion");
    return QStringLiteral("explos%1").arg(m_random.RandInt(6) + 1);
}

QString FakeHost::DestroyCue()
{
    cues << QStringLiteral("destroy");
    return QStringLiteral("destroy%1").arg(m_random.RandInt(5) + 1);
}

QString FakeHost::MissCue()
{
    cues << QStringLiteral("miss");
    return QStringLiteral("wrong%1").arg(m_random.RandInt(3) + 1);
}

void FakeHost::PlaySound(const QString &name)
{
    events << QStringLiteral("sound ") + name;
    sounds << name;
}

void FakeHost::PlayMusic(const QString &name)
{
    events << QStringLiteral("music ") + name;
    music << name;
}

void FakeHost::MemoLine(const QString &line)
{
    events << QStringLiteral("memo ") + line;
    memo << line;
}

void FakeHost::LogLine(const QString &text, bool withTime, bool withDate)
{
    events << QStringLiteral("log ") + text;
    log.push_back({text, withTime, withDate});
}

void FakeHost::EnterMatchLayout()
{
    events << QStringLiteral("match layout");
    ++matchLayouts;
    MatchState &m = m_game.match;
    m.GameOver = false;
    m.OpponentTime = 0;
    m.PlayerTime = 0;
    m.Paused = false;
    m.GameAborted = false;
}

void FakeHost::LeaveMatchLayout()
{
    events << QStringLiteral("idle layout");
    ++idleLayouts;
    MatchState &m = m_game.match;
    m.Paused = false;
    m.GameScore = 0;
    m.ShownScore = 0;
    m.PlayerMisses = 0;
    m_game.agreement.AcceptedByUs = false;
}

void FakeHost::SetOwnBoardCaption(const QString &caption)
{
    ownCaptions << caption;
}

void FakeHost::SetOpponentBoardCaption(const QString &caption)
{
    opponentCaptions << caption;
}

void FakeHost::PaintOwnBoard()
{
    events << QStringLiteral("paint own");
    ++ownPaints;
}

void FakeHost::PaintOpponentBoard()
{
    events << QStringLiteral("paint opponent");
    ++opponentPaints;
}

void FakeHost::Scramble(bool ownBoard, bool columnNumber, int picture, int x, int y)
{
    events << QStringLiteral("scramble");
    scrambles.push_back({ownBoard, columnNumber, picture, x, y});
}

void FakeHost::PutOutTurnLamp(bool playerLamp)
{
    events << QStringLiteral("lamp out");
    lampsPutOut.push_back(playerLamp);
}

void FakeHost::ShowTurnTimes(const QString &player, const QString &opponent)
{
    turnTimes.emplace_back(player, opponent);
}

void FakeHost::SetTurnInterval(int milliseconds)
{
    events << QStringLiteral("interval %1").arg(milliseconds);
    intervals.push_back(milliseconds);
}

void FakeHost::ShowConnectionState()
{
    ++connectionStates;
}

void FakeHost::saveRecords()
{
    events << QStringLiteral("save records");
    saved.push_back(m_game.ScoreData);
}

void FakeHost::ShowStatistics()
{
    events << QStringLiteral("statistics");
    statistics.push_back({m_game.match.EndRemark, m_game.ScoreData, m_game.match.GameInProgress});
}

} // namespace tw
