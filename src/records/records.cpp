// SPDX-License-Identifier: GPL-3.0-or-later
#include "records.h"

#include "model/random.h"
#include "util/cp1251.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace tw {
namespace {

constexpr qint64 MsecsPerDay = 24 * 60 * 60 * 1000;

QDate oleEpoch()
{
    return QDate(1899, 12, 30);
}

PlayerRecord &recordAt(ScoreBlock &data, int index)
{
    Q_ASSERT(index >= 1 && index <= PlayerCount);
    return data.players[index - 1];
}

std::int32_t clampToInt32(qint64 v)
{
    constexpr qint64 lo = std::numeric_limits<std::int32_t>::min();
    constexpr qint64 hi = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(v, lo, hi));
}

} // namespace

void resetPlayerRecord(ScoreBlock &data, int index)
{
    PlayerRecord &record = recordAt(data, index);
    record.name.length = 0;
    record.wins = 0;
    record.losses = 0;
    record.lastGame = 0.0;
    record.longestBattle = 0;
    record.shortestBattle = NoShortestBattle;
    record.topScore = 0;
    record.free = 1;
}

void normalizeShortString(ShortString &s)
{
    if (s.length < MaxNameLength)
        std::memset(s.chars + s.length, 0, static_cast<std::size_t>(MaxNameLength - s.length));
}

void setDefaultScoreData(ScoreBlock &data)
{
    data = ScoreBlock{};
    for (int i = 1; i <= PlayerCount; ++i)
        resetPlayerRecord(data, i);
    data.musicOn = 1;
    data.soundOn = 1;
    data.areaSize = 10;
    setPlayerName(data, u"NewUser");
    data.englishUi = 1;
    data.saveLog = 0;
}

int findOrCreatePlayer(ScoreBlock &data, QStringView name, bool countBattle,
                       const BattleFigures &figures, Random &random, double nowOleDate)
{
    // Compare the form that will be stored, so that a long name or one with
    // characters the file cannot hold still finds its record next time.
    const QString stored = keepCp1251(name.toString()).left(MaxNameLength);

    int index = 0;
    for (int i = 1; i <= PlayerCount; ++i) {
        if (recordName(recordAt(data, i)).compare(stored, Qt::CaseInsensitive) == 0)
            index = i;
    }
    for (int i = 1; index == 0 && i <= PlayerCount; ++i) {
        if (recordAt(data, i).free != 0)
            index = i;
    }
    if (index == 0) {
        index = random.randInt(PlayerCount) + 1;
        resetPlayerRecord(data, index);
    }

    PlayerRecord &record = recordAt(data, index);
    setRecordName(record, stored);
    record.lastGame = nowOleDate;
    if (countBattle) {
        const std::int32_t duration =
            clampToInt32(qint64{figures.playerTime} + qint64{figures.opponentTime});
        if (duration > record.longestBattle)
            record.longestBattle = duration;
        if (duration < record.shortestBattle)
            record.shortestBattle = duration;
        if (figures.gameScore > record.topScore)
            record.topScore = figures.gameScore;
    }
    record.free = 0;
    return index;
}

double oleDateFromDateTime(const QDateTime &dateTime)
{
    const QDateTime local = dateTime.toLocalTime();
    const auto days = static_cast<double>(oleEpoch().daysTo(local.date()));
    const double fraction =
        static_cast<double>(local.time().msecsSinceStartOfDay()) / static_cast<double>(MsecsPerDay);
    return days >= 0 ? days + fraction : days - fraction;
}

QDateTime dateTimeFromOleDate(double oleDate)
{
    // 1 January 100 and 31 December 9999, the range OLE dates cover.
    constexpr double first = -657434.0;
    constexpr double last = 2958466.0;
    if (!std::isfinite(oleDate) || oleDate < first || oleDate >= last)
        return {};
    const double wholeDays = std::trunc(oleDate);
    qint64 msecs = std::llround(std::fabs(oleDate - wholeDays) * static_cast<double>(MsecsPerDay));
    qint64 days = static_cast<qint64>(wholeDays);
    if (msecs >= MsecsPerDay) {
        msecs -= MsecsPerDay;
        days += 1;
    }
    return QDateTime(oleEpoch().addDays(days),
                     QTime::fromMSecsSinceStartOfDay(static_cast<int>(msecs)), Qt::LocalTime);
}

} // namespace tw
