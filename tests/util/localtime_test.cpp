// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/localtime.h"

#include <gtest/gtest.h>

using namespace tw;

TEST(LocalTime, LongTimeLeavesOutTheTimeZone)
{
    const QTime time(14, 7, 9);
    EXPECT_EQ(longTimeText(time, QLocale::c()).toStdString(), "14:07:09");
    EXPECT_EQ(longTimeText(time, QLocale(QLocale::Russian, QLocale::Russia)).toStdString(),
              "14:07:09");
    const QString us = longTimeText(time, QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_TRUE(us.startsWith(QStringLiteral("2:07:09"))) << us.toStdString();
    EXPECT_FALSE(us.contains(QStringLiteral("UTC"))) << us.toStdString();
}

TEST(LocalTime, ShortDate)
{
    EXPECT_EQ(
        shortDateText(QDate(2024, 3, 5), QLocale(QLocale::Russian, QLocale::Russia)).toStdString(),
        "05.03.2024");
}
