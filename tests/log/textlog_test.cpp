// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/oddfiles.h"
#include "log_fixture.h"

#include <QDir>
#include <unistd.h>

namespace tw {
namespace {

using AppendTextLineTest = LogFileTest;

struct TrimCase
{
    qsizetype sizeBefore;
    qint64 limit;
    qsizetype keptFrom; // offset of the first byte kept, or -1 for the whole file
};

// The size check comes before the append; a file at the limit keeps its bytes
// from size div 4 on, cut wherever that falls.
TEST_F(AppendTextLineTest, TrimsAFileThatReachedTheLimit)
{
    const TrimCase cases[] = {
        {65536, 65536, 16384}, // kept: the last 49152 bytes
        {65535, 65536, 0},     {70001, 65536, 17500}, {13, 10, 3}, {10, 10, 2}, {9, 10, 0},
        {0, 65536, 0},
    };
    for (const TrimCase &c : cases) {
        SCOPED_TRACE(std::to_string(c.sizeBefore));
        const QString path = pathOf(QStringLiteral("trim.txt"));
        const QByteArray before = pattern(c.sizeBefore);
        writeFile(path, before);
        EXPECT_TRUE(appendTextLine(path, QStringLiteral("line"), false, false, c.limit, m_clock));
        EXPECT_EQ(readFile(path), before.sliced(c.keptFrom) + "line\r\n");
    }
}

TEST_F(AppendTextLineTest, AFullLogFileKeepsItsLastThreeQuarters)
{
    const QString path = pathOf(QStringLiteral("TWLog.txt"));
    writeFile(path, pattern(65536));
    ASSERT_TRUE(appendTextLine(path, QStringLiteral("x"), false, false, 65536, m_clock));
    EXPECT_EQ(readFile(path).size(), 49152 + 3);
}

TEST_F(AppendTextLineTest, CreatesAMissingFile)
{
    const QString path = pathOf(QStringLiteral("new.txt"));
    EXPECT_TRUE(appendTextLine(path, QStringLiteral("first"), false, false, 65536, m_clock));
    EXPECT_TRUE(appendTextLine(path, QString(), false, false, 65536, m_clock));
    EXPECT_TRUE(appendTextLine(path, QStringLiteral("Игра"), false, false, 65536, m_clock));
    EXPECT_EQ(readFile(path), "first\r\n\r\n\xD0\x98\xD0\xB3\xD1\x80\xD0\xB0\r\n");
}

TEST_F(AppendTextLineTest, DateComesBeforeTime)
{
    struct Case
    {
        bool withTime;
        bool withDate;
        QByteArray line;
    };
    const Case cases[] = {
        {false, false, "start\r\n"},
        {true, false, fixedTime() + " start\r\n"},
        {false, true, fixedDate() + " start\r\n"},
        {true, true, fixedDate() + ' ' + fixedTime() + " start\r\n"},
    };
    for (const Case &c : cases) {
        const QString path = pathOf(QStringLiteral("order.txt"));
        QFile::remove(path);
        EXPECT_TRUE(
            appendTextLine(path, QStringLiteral("start"), c.withTime, c.withDate, 65536, m_clock));
        EXPECT_EQ(readFile(path), c.line);
    }
}

TEST_F(AppendTextLineTest, UnwritablePathFailsQuietly)
{
    const QString missingDir = pathOf(QStringLiteral("no/such/dir/TWLog.txt"));
    EXPECT_FALSE(appendTextLine(missingDir, QStringLiteral("x"), true, true, 65536, m_clock));
    EXPECT_FALSE(QFile::exists(missingDir));

    const QString directory = pathOf(QStringLiteral("adir"));
    ASSERT_TRUE(QDir().mkpath(directory));
    EXPECT_FALSE(appendTextLine(directory, QStringLiteral("x"), false, false, 0, m_clock));
}

// A log that is a FIFO nobody reads would hold the write for ever; a device
// would swallow the lines. Nothing is written, at once, and the thing stays.
TEST_F(AppendTextLineTest, WhatIsNotAPlainFileIsNeverWrittenThrough)
{
    for (const test::OddFile &odd : test::oddFiles()) {
        SCOPED_TRACE(odd.kind);
        const QString path = pathOf(QString::fromLatin1(odd.kind));
        ASSERT_TRUE(test::makeOddFile(odd, path));
        EXPECT_FALSE(appendTextLine(path, QStringLiteral("x"), true, true, 65536, m_clock));
        EXPECT_FALSE(appendTextLine(path, QStringLiteral("x"), false, false, 0, m_clock));
        EXPECT_TRUE(test::isOddFileIntact(odd, path));
    }
}

// The line still goes in, but the failed trim is reported.
TEST_F(AppendTextLineTest, FailedTrimStillAppends)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads files without read permission";
    const QString path = pathOf(QStringLiteral("writeonly.txt"));
    const QByteArray before = pattern(100);
    writeFile(path, before);
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::WriteOwner));
    EXPECT_FALSE(appendTextLine(path, QStringLiteral("x"), false, false, 50, m_clock));
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::WriteOwner | QFileDevice::ReadOwner));
    EXPECT_EQ(readFile(path), before + "x\r\n");
}

TEST_F(AppendTextLineTest, TrimsInADirectoryThatForbidsNewFiles)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only directories";
    const QString dir = pathOf(QStringLiteral("readonly"));
    ASSERT_TRUE(QDir().mkpath(dir));
    const QString path = dir + QStringLiteral("/TWLog.txt");
    const QByteArray before = pattern(100);
    writeFile(path, before);
    ASSERT_TRUE(QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const bool ok = appendTextLine(path, QStringLiteral("x"), false, false, 100, m_clock);
    QFile::setPermissions(dir,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_TRUE(ok);
    EXPECT_EQ(readFile(path), before.sliced(25) + "x\r\n");
}

} // namespace
} // namespace tw
