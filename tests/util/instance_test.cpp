// SPDX-License-Identifier: GPL-3.0-or-later
#include "probe.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

namespace tw {
namespace {

// Every process runs the probe in a shared private runtime directory, the
// way two starts of the game by one user meet.
class SingleInstance : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkdir(m_root.filePath(QStringLiteral("run"))));
        QFile::setPermissions(m_root.filePath(QStringLiteral("run")), QFileDevice::ReadOwner |
                                                                          QFileDevice::WriteOwner |
                                                                          QFileDevice::ExeOwner);
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_root.filePath(QStringLiteral("run")));
        m_env.remove(QStringLiteral("TARNWAKE_DATA_DIR"));
    }

    QString ask(const QProcessEnvironment &env, int calls = 1) const
    {
        return test::runProbe(
            {QStringLiteral("instance"), QStringLiteral("Tarnwake"), QString::number(calls)}, env);
    }

    // Starts a probe that takes the lock and keeps it until its input closes.
    void startHolder(QProcess &holder, const QProcessEnvironment &env) const
    {
        holder.setProcessEnvironment(env);
        holder.start(QStringLiteral(TW_UTIL_PROBE),
                     {QStringLiteral("instance"), QStringLiteral("Tarnwake"), QStringLiteral("1"),
                      QStringLiteral("hold")});
        ASSERT_TRUE(holder.waitForReadyRead(10000));
        ASSERT_EQ(holder.readLine().trimmed(), "first");
    }

    QTemporaryDir m_root;
    QProcessEnvironment m_env;
};

TEST_F(SingleInstance, SecondStartSeesTheFirstUntilItEnds)
{
    QProcess holder;
    startHolder(holder, m_env);
    EXPECT_EQ(ask(m_env), QStringLiteral("another"));
    EXPECT_EQ(ask(m_env), QStringLiteral("another"));

    holder.closeWriteChannel();
    ASSERT_TRUE(holder.waitForFinished(10000));
    EXPECT_EQ(ask(m_env), QStringLiteral("first"));
}

TEST_F(SingleInstance, LockOfAKilledProcessIsTakenOver)
{
    QProcess holder;
    startHolder(holder, m_env);
    ::kill(static_cast<pid_t>(holder.processId()), SIGKILL);
    ASSERT_TRUE(holder.waitForFinished(10000));
    EXPECT_EQ(ask(m_env), QStringLiteral("first"));
}

TEST_F(SingleInstance, AskingAgainInTheSameProcessIsNoOtherInstance)
{
    EXPECT_EQ(ask(m_env, 2), QStringLiteral("first first"));
}

TEST_F(SingleInstance, CopiesWithTheirOwnDataDirectoriesRunSideBySide)
{
    QProcessEnvironment a = m_env;
    a.insert(QStringLiteral("TARNWAKE_DATA_DIR"), m_root.filePath(QStringLiteral("a")));
    QProcessEnvironment b = m_env;
    b.insert(QStringLiteral("TARNWAKE_DATA_DIR"), m_root.filePath(QStringLiteral("b")));

    QProcess holder;
    startHolder(holder, a);
    EXPECT_EQ(ask(b), QStringLiteral("first"));
    EXPECT_EQ(ask(a), QStringLiteral("another"));
    holder.closeWriteChannel();
    ASSERT_TRUE(holder.waitForFinished(10000));
}

} // namespace
} // namespace tw
