// SPDX-License-Identifier: GPL-3.0-or-later
#include "probe.h"
#include "util/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tw {
namespace {

bool makeDir(const QString &path, mode_t mode)
{
    const QByteArray native = QFile::encodeName(path);
    return ::mkdir(native.constData(), mode) == 0 && ::chmod(native.constData(), mode) == 0;
}

class EnvOverride
{
public:
    EnvOverride(const char *name, const QByteArray &value) : m_name(name)
    {
        m_had = qEnvironmentVariableIsSet(name);
        m_old = qgetenv(name);
        qputenv(name, value);
    }
    ~EnvOverride()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    EnvOverride(const EnvOverride &) = delete;
    EnvOverride &operator=(const EnvOverride &) = delete;

private:
    const char *m_name;
    QByteArray m_old;
    bool m_had = false;
};

TEST(dataDirectory, OverrideIsCreatedAndUsed)
{
    QTemporaryDir root;
    const QString wanted = root.filePath(QStringLiteral("nested/data"));
    const EnvOverride env("TARNWAKE_DATA_DIR", QFile::encodeName(wanted));
    EXPECT_EQ(dataDirectory(), QDir::cleanPath(wanted));
    EXPECT_TRUE(QFileInfo(wanted).isDir());
}

TEST(dataDirectory, WritableExecutableDirectoryByDefault)
{
    const QString executableDir = QCoreApplication::applicationDirPath();
    if (!QFileInfo(executableDir).isWritable())
        GTEST_SKIP() << "the test executable lies in a read-only directory";
    qunsetenv("TARNWAKE_DATA_DIR");
    EXPECT_EQ(dataDirectory(), executableDir);
}

TEST(PrivateDirectory, OnlyOwnUnsharedRealDirectories)
{
    QTemporaryDir root;
    const auto at = [&](const char *name) { return root.filePath(QString::fromLatin1(name)); };
    ASSERT_TRUE(makeDir(at("private"), 0700));
    ASSERT_TRUE(makeDir(at("readable"), 0755));
    ASSERT_TRUE(makeDir(at("group-writable"), 0770));
    ASSERT_TRUE(makeDir(at("world-writable"), 0777));
    ASSERT_TRUE(QFile::link(at("private"), at("link")));
    QFile file(at("file"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));

    EXPECT_TRUE(isPrivateDirectory(at("private")));
    EXPECT_TRUE(isPrivateDirectory(at("readable")));
    EXPECT_FALSE(isPrivateDirectory(at("group-writable")));
    EXPECT_FALSE(isPrivateDirectory(at("world-writable")));
    EXPECT_FALSE(isPrivateDirectory(at("link")));
    EXPECT_FALSE(isPrivateDirectory(at("file")));
    EXPECT_FALSE(isPrivateDirectory(at("missing")));

    if (::geteuid() == 0) {
        ASSERT_TRUE(makeDir(at("foreign"), 0700));
        ASSERT_EQ(::chown(QFile::encodeName(at("foreign")).constData(), 65534, 65534), 0);
        EXPECT_FALSE(isPrivateDirectory(at("foreign")));
    }
}

// runtimeDirectory() is decided once per process, so each case runs in a
// child process with its own environment.
class RuntimeDirectoryTest : public testing::Test
{
protected:
    QString runtimeDirectory(const QProcessEnvironment &env) const
    {
        return test::runProbe({QStringLiteral("runtime")}, env);
    }

    QProcessEnvironment withTemp() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        env.remove(QStringLiteral("TARNWAKE_DATA_DIR"));
        env.insert(QStringLiteral("TMPDIR"), m_root.path());
        return env;
    }

    QString usual() const
    {
        return m_root.filePath(QStringLiteral("tarnwake-") + QString::number(::geteuid()));
    }

    QTemporaryDir m_root;
};

TEST_F(RuntimeDirectoryTest, XdgRuntimeDirIsPreferred)
{
    const QString xdg = m_root.filePath(QStringLiteral("xdg"));
    ASSERT_TRUE(makeDir(xdg, 0700));
    QProcessEnvironment env = withTemp();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), xdg);
    const QString dir = runtimeDirectory(env);
    EXPECT_EQ(dir, xdg + QStringLiteral("/tarnwake"));
    EXPECT_TRUE(isPrivateDirectory(dir));
}

TEST_F(RuntimeDirectoryTest, TemporaryDirectoryNamedAfterTheUser)
{
    const QString dir = runtimeDirectory(withTemp());
    EXPECT_EQ(dir, usual());
    EXPECT_TRUE(isPrivateDirectory(dir));
    const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                        QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    EXPECT_FALSE(QFileInfo(dir).permissions() & others);
}

TEST_F(RuntimeDirectoryTest, ASharedOrForeignDirectoryIsNotUsed)
{
    ASSERT_TRUE(makeDir(usual(), 0777));
    const QString dir = runtimeDirectory(withTemp());
    EXPECT_TRUE(dir.startsWith(usual() + QLatin1Char('-'))) << dir.toStdString();
    EXPECT_TRUE(isPrivateDirectory(dir));
}

TEST_F(RuntimeDirectoryTest, ALinkInItsPlaceIsNotFollowed)
{
    const QString elsewhere = m_root.filePath(QStringLiteral("elsewhere"));
    ASSERT_TRUE(makeDir(elsewhere, 0700));
    ASSERT_TRUE(QFile::link(elsewhere, usual()));
    const QString dir = runtimeDirectory(withTemp());
    EXPECT_NE(dir, usual());
    EXPECT_TRUE(isPrivateDirectory(dir));
}

TEST_F(RuntimeDirectoryTest, EachDataDirectoryGetsItsOwn)
{
    QProcessEnvironment a = withTemp();
    a.insert(QStringLiteral("TARNWAKE_DATA_DIR"), m_root.filePath(QStringLiteral("a")));
    QProcessEnvironment b = withTemp();
    b.insert(QStringLiteral("TARNWAKE_DATA_DIR"), m_root.filePath(QStringLiteral("b")));

    const QString dirA = runtimeDirectory(a);
    EXPECT_TRUE(dirA.startsWith(usual() + QLatin1Char('/'))) << dirA.toStdString();
    EXPECT_EQ(runtimeDirectory(a), dirA);
    EXPECT_NE(runtimeDirectory(b), dirA);
    EXPECT_TRUE(isPrivateDirectory(dirA));
}

TEST(systemDirectory, EndsWithExactlyOneSlash)
{
    const QString dir = systemDirectory();
    ASSERT_FALSE(dir.isEmpty());
    EXPECT_TRUE(dir.endsWith(QLatin1Char('/')));
    EXPECT_FALSE(dir.endsWith(QStringLiteral("//")));
    EXPECT_EQ(dir, runtimeDirectory() + QLatin1Char('/'));
}

} // namespace
} // namespace tw
