#pragma once

#include "match.h"

namespace tw {

// A MatchHost with nothing around the match: no windows, no sound, no
// network, a clock that stands still. Benchmarks, fuzzers and tests derive
// from it and override only what they watch.
class NullMatchHost : public MatchHost
{
public:
    bool PeerConnected() override { return false; }
    bool InvitePeer() override { return true; }
    void SendShot(int, int) override {}
    void SendGameAborted() override {}
    void Beep() override {}
    bool Ask(Box) override { return true; }
    void GenerateOpponentFleet(TBoard &) override {}
    QString ExplosionCue() override { return {}; }
    QString DestroyCue() override { return {}; }
    QString MissCue() override { return {}; }
    void PlaySound(const QString &) override {}
    void PlayMusic(const QString &) override {}
    void MemoLine(const QString &) override {}
    void LogLine(const QString &, bool, bool) override {}
    void EnterMatchLayout() override {}
    void LeaveMatchLayout() override {}
    void SetOwnBoardCaption(const QString &) override {}
    void SetOpponentBoardCaption(const QString &) override {}
    void PaintOwnBoard() override {}
    void PaintOpponentBoard() override {}
    void Scramble(bool, bool, int, int, int) override {}
    void PutOutTurnLamp(bool) override {}
    void ShowTurnTimes(const QString &, const QString &) override {}
    void SetTurnInterval(int) override {}
    void ShowConnectionState() override {}
    void ShowStatistics() override {}
    void saveRecords() override {}
    QDateTime Now() override { return {}; }
};

} // namespace tw
