// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/scoredata.h"
#include "util/catalogue.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace tw {

// How the statistics text writes the date and time of a record's last game.
// By default the system's short date and long time formats; tests pass a
// fixed locale or fixed formats (QDateTime::toString syntax) so the text does
// not depend on the machine.
class StatsFormat
{
public:
    // The system locale's formats.
    StatsFormat();
    // The locale's short date and long time. The long time is written
    // without the time zone some locales add to it: the last game is always
    // local time, and the zone only lengthens every player's line.
    explicit StatsFormat(const QLocale &locale);
    StatsFormat(QLocale locale, QString dateFormat, QString timeFormat);

    QString dateText(const QDateTime &when) const;
    QString timeText(const QDateTime &when) const;

private:
    QLocale m_locale;
    QString m_dateFormat;
    QString m_timeFormat;
};

// The text of the statistics window, "|" breaking the lines: the end-of-game
// remark (when there is one), the program's name between empty lines, the
// holders of the five records and one line per used record, ended by an
// empty line. Made in the language of the catalogue.
//
// Each record line names the best of the used records, the lowest index
// winning a tie. The scan starts from record 1 whether it is used or not, so
// while record 1 is free a line appears only when some player beats its reset
// value (above 0, or below NoShortestBattle for the shortest battle).
QString statisticsText(const ScoreBlock &data, const QString &endRemark, const Catalogue &texts,
                       const StatsFormat &format = StatsFormat());
// The same in English (true) or Russian.
QString statisticsText(const ScoreBlock &data, const QString &endRemark, bool english,
                       const StatsFormat &format = StatsFormat());

// A record's last game as the statistics text writes it: the short date and,
// unless it is exactly midnight, a space and the long time. Empty for a value
// that is no date.
QString lastGameText(double oleDate, const StatsFormat &format);

} // namespace tw
