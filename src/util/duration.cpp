// SPDX-License-Identifier: GPL-3.0-or-later
#include "duration.h"

namespace tw {

QString formatDuration(quint32 seconds)
{
    const quint32 totalHours = seconds / 3600;
    const quint32 minutes = seconds % 3600 / 60;
    const quint32 days = totalHours / 24;
    const QLatin1Char zero('0');
    QString text = QStringLiteral("%1:%2:%3")
                       .arg(totalHours % 24, 2, 10, zero)
                       .arg(minutes, 2, 10, zero)
                       .arg(seconds % 60, 2, 10, zero);
    if (days >= 1)
        text.prepend(QString::number(days) + QStringLiteral("d "));
    return text;
}

} // namespace tw
