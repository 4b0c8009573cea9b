// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

namespace tw {

// The locale's long time format without its time zone: the clock time as a
// player reads it ("14:07:09"), the same in every line the game writes.
QString longTimeFormat(const QLocale &locale = QLocale::system());

// A time in that format, and a date in the locale's short date format.
QString longTimeText(const QTime &time, const QLocale &locale = QLocale::system());
QString shortDateText(const QDate &date, const QLocale &locale = QLocale::system());

} // namespace tw
