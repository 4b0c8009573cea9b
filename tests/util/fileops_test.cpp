// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/filesizelimit.h"
#include "common/oddfiles.h"
#include "util/fileops.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace tw {
namespace {

class FileOps : public testing::Test
{
protected:
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    QString write(const char *name, const QByteArray &bytes) const
    {
        const QString p = path(name);
        QFile file(p);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        EXPECT_EQ(file.write(bytes), bytes.size());
        return p;
    }

    static QByteArray read(const QString &p)
    {
        QFile file(p);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << p.toStdString();
        return file.readAll();
    }

    QTemporaryDir m_dir;
};

using test::withFileSizeLimit;

TEST_F(FileOps, EveryRoutineFailsOnAMissingFileWithoutCreatingIt)
{
    const QString missing = path("missing");
    EXPECT_EQ(fileSizeOf(missing), -1);
    EXPECT_EQ(copyFileWithAttr(missing, path("copy"), 0x20), -1);
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_FALSE(QFileInfo::exists(path("copy")));
}

TEST_F(FileOps, fileSizeOf)
{
    EXPECT_EQ(fileSizeOf(write("five", "12345")), 5);
    EXPECT_EQ(fileSizeOf(write("empty", "")), 0);
    EXPECT_EQ(fileSizeOf(m_dir.path()), -1);
}

TEST_F(FileOps, CopyReplacesTheTargetWhole)
{
    QByteArray content(100000, Qt::Uninitialized);
    for (qsizetype i = 0; i < content.size(); ++i)
        content[i] = static_cast<char>(i % 253);
    const QString source = write("source", content);
    const QString target = write("target", QByteArray(200000, 'x'));

    EXPECT_EQ(copyFileWithAttr(source, target, 0x20), content.size());
    EXPECT_EQ(read(target), content);
    EXPECT_TRUE(QFileInfo(target).permissions() & QFileDevice::WriteOwner);
}

TEST_F(FileOps, CopyRefusesTheSamePathAndDirectories)
{
    const QString source = write("source", "abc");
    EXPECT_EQ(copyFileWithAttr(source, source, 0x20), -1);
    EXPECT_EQ(read(source), "abc");
    EXPECT_EQ(copyFileWithAttr(m_dir.path(), path("target"), 0x20), -1);
}

TEST_F(FileOps, CopyWithReadOnlyAttributeDropsWritePermissions)
{
    const QString target = path("target");
    EXPECT_EQ(copyFileWithAttr(write("source", "abc"), target, 0x01), 3);
    // The mode bits only: root may write whatever they say.
    const auto writable =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    EXPECT_FALSE(QFileInfo(target).permissions() & writable);
}

TEST_F(FileOps, WritesCutShortAreFailures)
{
    const QString big = write("big", QByteArray(100000, 'b'));
    withFileSizeLimit(4096, [&] { EXPECT_EQ(copyFileWithAttr(big, path("copy"), 0x20), -1); });
}

// Whatever sits where a file is expected and is not a plain file (a FIFO
// nobody writes to, a socket, a directory, a device that never ends) makes
// every routine fail at once, and is left as it was. A routine that opened a
// FIFO for reading would wait for a writer for ever: this test would hang.
TEST_F(FileOps, EveryRoutineRefusesWhatIsNotAPlainFile)
{
    for (const test::OddFile &odd : test::oddFiles()) {
        SCOPED_TRACE(odd.kind);
        const QString file = path(odd.kind);
        ASSERT_TRUE(test::makeOddFile(odd, file));
        EXPECT_EQ(fileSizeOf(file), -1);
        EXPECT_EQ(copyFileWithAttr(file, path("copy"), 0x20), -1);
        EXPECT_FALSE(replaceFile(file, "new bytes"));
        QFile opened;
        EXPECT_FALSE(openPlainFile(opened, file, QIODevice::ReadOnly));
        EXPECT_FALSE(openPlainFile(opened, file, QIODevice::WriteOnly | QIODevice::Append));
        EXPECT_TRUE(test::isOddFileIntact(odd, file));
        EXPECT_FALSE(QFileInfo::exists(path("copy")));
        EXPECT_EQ(QDir(m_dir.path())
                      .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)
                      .size(),
                  1);
        QFile::remove(file);
        QDir(file).removeRecursively();
    }
}

TEST_F(FileOps, OpenPlainFileOpensAndMakesPlainFiles)
{
    const QString made = path("made");
    QFile file;
    ASSERT_TRUE(openPlainFile(file, made, QIODevice::WriteOnly | QIODevice::Append));
    EXPECT_EQ(file.write("one"), 3);
    file.close();
    ASSERT_TRUE(openPlainFile(file, made, QIODevice::WriteOnly | QIODevice::Append));
    EXPECT_EQ(file.write("two"), 3);
    file.close();
    EXPECT_EQ(read(made), "onetwo");
    EXPECT_FALSE(openPlainFile(file, path("missing"), QIODevice::ReadOnly));
    EXPECT_FALSE(
        openPlainFile(file, path("missing"), QIODevice::WriteOnly | QIODevice::ExistingOnly));
    EXPECT_FALSE(QFileInfo::exists(path("missing")));
    ASSERT_TRUE(QFile::link(made, path("link")));
    ASSERT_TRUE(openPlainFile(file, path("link"), QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "onetwo");
}

} // namespace
} // namespace tw
