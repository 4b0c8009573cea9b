#pragma once

#include "match.h"

namespace tw {

// A MatchHost with nothing around the match: no windows, no sound, no
// network, a clock that stands still. Benchmarks, fuzzers and tests derive
// from it and override only what they watch.
class NullMatchHost : public MatchHost
{
public:
    bool peerConnected() override { return false; }
    bool invitePeer() override { return true; }
    void sendShot(int, int) override {}
    void sendGameAborted() override {}
    void beep() override {}
    bool ask(Box) override { return true; }
    void generateOpponentFleet(Board &) override {}
    QString explosionCue() override { return {}; }
    QString destroyCue() override { return {}; }
    QString missCue() override { return {}; }
    void playSound(const QString &) override {}
    void playMusic(const QString &) override {}
    void memoLine(const QString &) override {}
    void logLine(const QString &, bool, bool) override {}
    void enterMatchLayout() override {}
    void leaveMatchLayout() override {}
    void setOwnBoardCaption(const QString &) override {}
    void setOpponentBoardCaption(const QString &) override {}
    void paintOwnBoard() override {}
    void paintOpponentBoard() override {}
    void scramble(bool, bool, int, int, int) override {}
    void putOutTurnLamp(bool) override {}
    void showTurnTimes(const QString &, const QString &) override {}
    void setTurnInterval(int) override {}
    void showConnectionState() override {}
    void showStatistics() override {}
    void saveRecords() override {}
    QDateTime now() override { return {}; }
};

} // namespace tw
