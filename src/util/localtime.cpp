// SPDX-License-Identifier: GPL-3.0-or-later
#include "localtime.h"

namespace tw {

QString longTimeFormat(const QLocale &locale)
{
    // Drops the unquoted time zone fields ("t") and the blanks before them.
    QString kept;
    bool quoted = false;
    for (const QChar c : locale.timeFormat(QLocale::LongFormat)) {
        if (c == u'\'')
            quoted = !quoted; // a doubled quote toggles twice and stays literal
        if (c == u't' && !quoted) {
            while (kept.endsWith(u' '))
                kept.chop(1);
            continue;
        }
        kept.append(c);
    }
    return kept.trimmed();
}

QString longTimeText(const QTime &time, const QLocale &locale)
{
    return locale.toString(time, longTimeFormat(locale));
}

QString shortDateText(const QDate &date, const QLocale &locale)
{
    return locale.toString(date, QLocale::ShortFormat);
}

} // namespace tw
