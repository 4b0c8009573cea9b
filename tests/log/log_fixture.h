// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "log/textlog.h"
#include "util/localtime.h"

#include <QByteArray>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QByteArray &bytes, std::ostream *os)
{
    *os << '"' << bytes.toStdString() << '"';
}

namespace tw {

// Always 5 March 2024, 14:07:09.
class FixedClock final : public LogClock
{
public:
    QDateTime now() const override { return QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)); }
};

inline QByteArray fixedDate()
{
    return tw::shortDateText(QDate(2024, 3, 5)).toUtf8();
}

inline QByteArray fixedTime()
{
    return tw::longTimeText(QTime(14, 7, 9)).toUtf8();
}

// A fresh directory per test, with helpers to set and read files in it.
class LogFileTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString dirPath() const { return m_dir.path(); }
    QString pathOf(const QString &name) const { return m_dir.filePath(name); }

    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    // n bytes whose offsets can be told apart: lines of 10 digits.
    static QByteArray pattern(qsizetype n)
    {
        QByteArray bytes;
        bytes.reserve(n);
        for (qsizetype i = 0; i < n; ++i)
            bytes += static_cast<char>(i % 12 == 11 ? '\n' : i % 12 == 10 ? '\r' : '0' + i % 10);
        return bytes;
    }

    FixedClock m_clock;

private:
    QTemporaryDir m_dir;
};

} // namespace tw
