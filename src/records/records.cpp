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

QDate OleEpoch()
{
    return QDate(1899, 12, 30);
}

TPlayerRecord &Record(TScoreData &data, int index)
{
    Q_ASSERT(index >= 1 && index <= PlayerCount);
    return data.Players[index - 1];
}

std::int32_t ClampToInt32(qint64 v)
{
    constexpr qint64 lo = std::numeric_limits<std::int32_t>::min();
    constexpr qint64 hi = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(v, lo, hi));
}

} // namespace

void ResetPlayerRecord(TScoreData &data, int index)
{
    TPlayerRecord &record = Record(data, index);
    record.Name.Length = 0;
    record.Wins = 0;
    record.Losses = 0;
    record.LastGame = 0.0;
    record.LongestBattle = 0;
    record.ShortestBattle = NoShortestBattle;
    record.TopScore = 0;
    record.Free = 1;
}

void NormalizeShortString(TShortString &s)
{
    if (s.Length < MaxNameLength)
        std::memset(s.Chars + s.Length, 0, static_cast<std::size_t>(MaxNameLength - s.Length));
}

void SetDefaultScoreData(TScoreData &data)
{
    data = TScoreData{};
    for (int i = 1; i <= PlayerCount; ++i)
        ResetPlayerRecord(data, i);
    data.MusicOn = 1;
    data.SoundOn = 1;
    data.AreaSize = 10;
    SetPlayerName(data, u"NewUser");
    data.EnglishUI = 1;
    data.SaveLog = 0;
}

int FindOrCreatePlayer(TScoreData &data, QStringView name, bool countBattle,
                       const BattleFigures &figures, Random &random, double nowOleDate)
{
    // Compare the form that will be stored, so that a long name or one with
    // characters the file cannot hold still finds its record next time.
    const QString stored = KeepCp1251(name.toString()).left(MaxNameLength);

    int index = 0;
    for (int i = 1; i <= PlayerCount; ++i) {
        if (RecordName(Record(data, i)).compare(stored, Qt::CaseInsensitive) == 0)
            index = i;
    }
    for (int i = 1; index == 0 && i <= PlayerCount; ++i) {
        if (Record(data, i).Free != 0)
            index = i;
    }
    if (index == 0) {
        index = random.RandInt(PlayerCount) + 1;
        ResetPlayerRecord(data, index);
    }

    TPlayerRecord &record = Record(data, index);
    SetRecordName(record, stored);
    record.LastGame = nowOleDate;
    if (countBattle) {
        const std::int32_t duration =
            ClampToInt32(qint64{figures.playerTime} + qint64{figures.opponentTime});
        if (duration > record.LongestBattle)
            record.LongestBattle = duration;
        if (duration < record.ShortestBattle)
            record.ShortestBattle = duration;
        if (figures.gameScore > record.TopScore)
            record.TopScore = figures.gameScore;
    }
    record.Free = 0;
    return index;
}

double OleDateFromDateTime(const QDateTime &dateTime)
{
    const QDateTime local = dateTime.toLocalTime();
    const auto days = static_cast<double>(OleEpoch().daysTo(local.date()));
    const double fraction =
        static_cast<double>(local.time().msecsSinceStartOfDay()) / static_cast<double>(MsecsPerDay);
    return days >= 0 ? days + fraction : days - fraction;
}

QDateTime DateTimeFromOleDate(double oleDate)
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
    return QDateTime(OleEpoch().addDays(days),
                     QTime::fromMSecsSinceStartOfDay(static_cast<int>(msecs)), Qt::LocalTime);
}

} // namespace tw
