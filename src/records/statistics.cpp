#include "statistics.h"

#include "records/records.h"
#include "util/duration.h"
#include "util/localtime.h"

#include <cstdint>
#include <utility>

namespace tw {

namespace {

QString Pick(bool english, const char *englishText, const char *russianText)
{
    return QString::fromUtf8(english ? englishText : russianText);
}

bool IsUsed(const TPlayerRecord &record)
{
    return record.Free == 0;
}

// One of the five record lines: which figure, which end of it wins, how it
// is written.
struct RecordLine
{
    const char *english;
    const char *russian;
    std::int32_t TPlayerRecord::*figure;
    bool smallestWins;
    bool isDuration;
};

constexpr RecordLine RecordLines[] = {
    {"Most winner: ", "Больше всего побед: ", &TPlayerRecord::Wins, false, false},
    {"Most looser: ", "Больше всего проигрышей: ", &TPlayerRecord::Losses, false, false},
    {"The longest battle: ", "Самая длинная схватка: ", &TPlayerRecord::LongestBattle, false, true},
    {"The shortest battle: ", "Самая короткая схватка: ", &TPlayerRecord::ShortestBattle, true,
     true},
    {"Top score: ", "Больше всего очков: ", &TPlayerRecord::TopScore, false, false},
};

// The holder of one record: starting from record 1, used or not, every used
// record whose figure is strictly better takes its place. Nullptr when the
// result is not a used record.
const TPlayerRecord *Holder(const TScoreData &data, const RecordLine &line)
{
    const TPlayerRecord *candidate = &data.Players[0];
    for (const TPlayerRecord &record : data.Players) {
        const std::int32_t value = record.*line.figure;
        const std::int32_t best = candidate->*line.figure;
        if (IsUsed(record) && (line.smallestWins ? value < best : value > best))
            candidate = &record;
    }
    return IsUsed(*candidate) ? candidate : nullptr;
}

QString FigureText(std::int32_t value, bool isDuration)
{
    // A negative duration can only come from a damaged file; it is shown as
    // the unsigned number it is stored as.
    return isDuration ? FormatDuration(static_cast<quint32>(value)) : QString::number(value);
}

} // namespace

StatsFormat::StatsFormat() : StatsFormat(QLocale::system()) {}

StatsFormat::StatsFormat(const QLocale &locale)
    : StatsFormat(locale, locale.dateFormat(QLocale::ShortFormat), LongTimeFormat(locale))
{}

StatsFormat::StatsFormat(QLocale locale, QString dateFormat, QString timeFormat)
    : m_locale(std::move(locale)), m_dateFormat(std::move(dateFormat)),
      m_timeFormat(std::move(timeFormat))
{}

QString StatsFormat::dateText(const QDateTime &when) const
{
    return m_locale.toString(when, m_dateFormat);
}

QString StatsFormat::timeText(const QDateTime &when) const
{
    return m_locale.toString(when, m_timeFormat);
}

QString LastGameText(double oleDate, const StatsFormat &format)
{
    const QDateTime when = DateTimeFromOleDate(oleDate);
    if (!when.isValid())
        return {};
    QString text = format.dateText(when);
    if (when.time() != QTime(0, 0))
        text += u' ' + format.timeText(when);
    return text;
}

QString StatisticsText(const TScoreData &data, const QString &endRemark, bool english,
                       const StatsFormat &format)
{
    const QString title = QStringLiteral("Tarnwake™||");
    QString text = endRemark.isEmpty() ? u'|' + title : endRemark + QStringLiteral("||") + title;

    for (const RecordLine &line : RecordLines) {
        if (const TPlayerRecord *holder = Holder(data, line))
            text += Pick(english, line.english, line.russian) + RecordName(*holder) +
                    QStringLiteral(" (") + FigureText(holder->*line.figure, line.isDuration) +
                    QStringLiteral(")||");
    }

    const QString lastGame = Pick(english, " - last game: ", " - последняя игра: ");
    const QString skill = Pick(english, ", overall skill: ", ", общий рейтинг: ");
    for (const TPlayerRecord &p : data.Players) {
        if (!IsUsed(p))
            continue;
        // Widened so that counts from a damaged file cannot overflow.
        const qint64 difference = qint64{p.Wins} - qint64{p.Losses};
        text += RecordName(p) + lastGame + LastGameText(p.LastGame, format) + skill +
                QString::number(difference) + QStringLiteral(", ") + QString::number(p.TopScore) +
                u'|';
    }
    text += u'|';
    return text;
}

} // namespace tw
