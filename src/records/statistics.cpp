// SPDX-License-Identifier: GPL-3.0-or-later
#include "statistics.h"

#include "records/records.h"
#include "util/duration.h"
#include "util/localtime.h"

#include <QtGlobal>
#include <cstdint>
#include <utility>

namespace tw {

namespace {

bool isUsed(const PlayerRecord &record)
{
    return record.free == 0;
}

// One of the five record lines: which figure, which end of it wins, how it
// is written.
struct RecordLine
{
    const char *label;
    std::int32_t PlayerRecord::*figure;
    bool smallestWins;
    bool isDuration;
};

constexpr RecordLine RecordLines[] = {
    {QT_TRANSLATE_NOOP("Statistics", "Most winner: "), &PlayerRecord::wins, false, false},
    {QT_TRANSLATE_NOOP("Statistics", "Most looser: "), &PlayerRecord::losses, false, false},
    {QT_TRANSLATE_NOOP("Statistics", "The longest battle: "), &PlayerRecord::longestBattle, false,
     true},
    {QT_TRANSLATE_NOOP("Statistics", "The shortest battle: "), &PlayerRecord::shortestBattle, true,
     true},
    {QT_TRANSLATE_NOOP("Statistics", "Top score: "), &PlayerRecord::topScore, false, false},
};

// The holder of one record: starting from record 1, used or not, every used
// record whose figure is strictly better takes its place. Nullptr when the
// result is not a used record.
const PlayerRecord *holderOf(const ScoreBlock &data, const RecordLine &line)
{
    const PlayerRecord *candidate = &data.players[0];
    for (const PlayerRecord &record : data.players) {
        const std::int32_t value = record.*line.figure;
        const std::int32_t best = candidate->*line.figure;
        if (isUsed(record) && (line.smallestWins ? value < best : value > best))
            candidate = &record;
    }
    return isUsed(*candidate) ? candidate : nullptr;
}

QString figureText(std::int32_t value, bool isDuration)
{
    // A negative duration can only come from a damaged file; it is shown as
    // the unsigned number it is stored as.
    return isDuration ? formatDuration(static_cast<quint32>(value)) : QString::number(value);
}

} // namespace

StatsFormat::StatsFormat() : StatsFormat(QLocale::system()) {}

StatsFormat::StatsFormat(const QLocale &locale)
    : StatsFormat(locale, locale.dateFormat(QLocale::ShortFormat), longTimeFormat(locale))
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

QString lastGameText(double oleDate, const StatsFormat &format)
{
    const QDateTime when = dateTimeFromOleDate(oleDate);
    if (!when.isValid())
        return {};
    QString text = format.dateText(when);
    if (when.time() != QTime(0, 0))
        text += u' ' + format.timeText(when);
    return text;
}

QString statisticsText(const ScoreBlock &data, const QString &endRemark, bool english,
                       const StatsFormat &format)
{
    return statisticsText(data, endRemark,
                          Catalogue::of(english ? QStringLiteral("en") : QStringLiteral("ru")),
                          format);
}

QString statisticsText(const ScoreBlock &data, const QString &endRemark, const Catalogue &texts,
                       const StatsFormat &format)
{
    const QString title = QStringLiteral("Tarnwake™||");
    QString text = endRemark.isEmpty() ? u'|' + title : endRemark + QStringLiteral("||") + title;

    for (const RecordLine &line : RecordLines) {
        if (const PlayerRecord *holder = holderOf(data, line))
            text += texts.translate("Statistics", line.label) + recordName(*holder) +
                    QStringLiteral(" (") + figureText(holder->*line.figure, line.isDuration) +
                    QStringLiteral(")||");
    }

    //: Between a player's name and the date of the player's last game.
    const QString lastGame = texts.translate("Statistics", " - last game: ");
    //: Between the date of a player's last game and the difference of wins and losses.
    const QString skill = texts.translate("Statistics", ", overall skill: ");
    for (const PlayerRecord &p : data.players) {
        if (!isUsed(p))
            continue;
        // Widened so that counts from a damaged file cannot overflow.
        const qint64 difference = qint64{p.wins} - qint64{p.losses};
        text += recordName(p) + lastGame + lastGameText(p.lastGame, format) + skill +
                QString::number(difference) + QStringLiteral(", ") + QString::number(p.topScore) +
                u'|';
    }
    text += u'|';
    return text;
}

} // namespace tw
