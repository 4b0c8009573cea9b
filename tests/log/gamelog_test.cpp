// SPDX-License-Identifier: GPL-3.0-or-later
#include "log/gamelog.h"
#include "log_fixture.h"

namespace tw {
namespace {

class GameLogTest : public LogFileTest
{
protected:
    QString dir() const { return dirPath(); }
    QString logPath() const { return pathOf(QStringLiteral("TWLog.txt")); }
};

TEST_F(GameLogTest, WritesTWLogInTheDataDirectory)
{
    GameLog log(dir(), m_clock);
    EXPECT_EQ(log.path(), logPath());
    log.setEnabled(true);
    log.logLine(QString());
    log.logLine(QStringLiteral("--------------------> New game"));
    log.logLine(QStringLiteral("start"), true, true);
    log.logLine(QStringLiteral("pause"), true);
    EXPECT_EQ(readFile(logPath()), "\r\n--------------------> New game\r\n" + fixedDate() + ' ' +
                                       fixedTime() + " start\r\n" + fixedTime() + " pause\r\n");
}

TEST_F(GameLogTest, DisabledLogLeavesTheFileAlone)
{
    GameLog log(dir(), m_clock);
    log.logLine(QStringLiteral("lost"));
    EXPECT_FALSE(QFile::exists(logPath()));

    const QByteArray full = pattern(GameLog::kSizeLimit);
    writeFile(logPath(), full);
    log.logLine(QStringLiteral("lost"));
    EXPECT_EQ(readFile(logPath()), full);

    log.setEnabled(true);
    log.setEnabled(false);
    log.logLine(QStringLiteral("lost"));
    EXPECT_EQ(readFile(logPath()), full);
}

TEST_F(GameLogTest, TrimsAt64KiB)
{
    const QByteArray full = pattern(GameLog::kSizeLimit);
    writeFile(logPath(), full);
    GameLog log(dir(), m_clock);
    log.setEnabled(true);
    log.logLine(QStringLiteral("next"));
    EXPECT_EQ(readFile(logPath()), full.sliced(16384) + "next\r\n");
}

TEST_F(GameLogTest, SetPathMovesTheLog)
{
    GameLog log(QString(), m_clock);
    log.setEnabled(true);
    log.logLine(QStringLiteral("nowhere"));
    const QString other = pathOf(QStringLiteral("other.txt"));
    log.setPath(other);
    log.logLine(QStringLiteral("here"));
    EXPECT_EQ(readFile(other), "here\r\n");
    EXPECT_FALSE(QFile::exists(logPath()));
}

TEST_F(GameLogTest, UnwritableDirectoryLosesTheLineQuietly)
{
    GameLog log(pathOf(QStringLiteral("missing")), m_clock);
    log.setEnabled(true);
    log.logLine(QStringLiteral("lost"), true, true);
    EXPECT_FALSE(QFile::exists(log.path()));
}

} // namespace
} // namespace tw
