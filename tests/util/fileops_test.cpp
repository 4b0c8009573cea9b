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
    EXPECT_EQ(verifyChecksum(missing, 0x42), -1);
    EXPECT_EQ(stripLastByte(missing), -1);
    EXPECT_EQ(verifyAndStrip(missing, 0x42), -1);
    EXPECT_EQ(appendChecksum(missing, 0x42), -1);
    EXPECT_EQ(packRle(missing), -1);
    EXPECT_EQ(unpackRle(missing), -1);
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

TEST_F(FileOps, ChecksumAppendVerifyStrip)
{
    const QString file = write("abc", "abc");
    EXPECT_EQ(appendChecksum(file, 0x42), 4);
    EXPECT_EQ(read(file), QByteArray("abc\x22"));
    EXPECT_EQ(verifyChecksum(file, 0x42), 4);
    EXPECT_EQ(verifyChecksum(file, 0x43), -1);
    EXPECT_EQ(verifyAndStrip(file, 0x42), 3);
    EXPECT_EQ(read(file), "abc");
    EXPECT_EQ(verifyAndStrip(file, 0x42), -1); // "ab" + 'c' is not a check byte
    EXPECT_EQ(read(file), "abc");
}

TEST_F(FileOps, EmptyFiles)
{
    const QString file = write("empty", "");
    EXPECT_EQ(verifyChecksum(file, 0x42), -1);
    EXPECT_EQ(stripLastByte(file), -1);
    EXPECT_EQ(packRle(file), -1);
    EXPECT_EQ(fileSizeOf(file), 0);
    EXPECT_EQ(appendChecksum(file, 0x42), 1);
    EXPECT_EQ(read(file), "\x42");
}

TEST_F(FileOps, AppendChecksumStopsWithoutWritingWhenProgressSaysNo)
{
    const QString file = write("data", "abcdef");
    std::vector<qint64> done;
    const auto stopAtThree = [&](qint64 total, qint64 d) {
        EXPECT_EQ(total, 6);
        done.push_back(d);
        return d < 3;
    };
    EXPECT_EQ(appendChecksum(file, 0x42, stopAtThree), -1);
    EXPECT_EQ(done, (std::vector<qint64>{1, 2, 3}));
    EXPECT_EQ(read(file), "abcdef");
}

TEST_F(FileOps, PackAndUnpackInPlace)
{
    const QString file = write("data", "AAAAB");
    EXPECT_EQ(packRle(file), 8);
    EXPECT_EQ(read(file), QByteArray::fromHex("5156000441800142"));
    EXPECT_EQ(unpackRle(file), 5);
    EXPECT_EQ(read(file), "AAAAB");
}

TEST_F(FileOps, UnpackLeavesAMalformedFileAsItWas)
{
    for (const QByteArray &bytes :
         {QByteArray("plain text"), QByteArray::fromHex("5156800541"), QByteArray("Q")}) {
        const QString file = write("bad", bytes);
        EXPECT_EQ(unpackRle(file), -1);
        EXPECT_EQ(read(file), bytes);
    }
}

TEST_F(FileOps, PackRefusesAPayloadBeyondTheCap)
{
    const QString file = write("big", QByteArray(MaxRlePayload + 1, 'x'));
    EXPECT_EQ(packRle(file), -1);
    EXPECT_EQ(fileSizeOf(file), MaxRlePayload + 1);
}

TEST_F(FileOps, WritesCutShortAreFailures)
{
    const QString big = write("big", QByteArray(100000, 'b'));
    const QString packed = write("packed", packRleBytes(QByteArray(100000, 'p')));
    const QString full = write("full", QByteArray(4096, 'f'));
    withFileSizeLimit(4096, [&] {
        EXPECT_EQ(copyFileWithAttr(big, path("copy"), 0x20), -1);
        EXPECT_EQ(unpackRle(packed), -1);
        EXPECT_EQ(appendChecksum(full, 0x42), -1);
    });
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
        EXPECT_EQ(verifyChecksum(file, 0x42), -1);
        EXPECT_EQ(stripLastByte(file), -1);
        EXPECT_EQ(verifyAndStrip(file, 0x42), -1);
        EXPECT_EQ(appendChecksum(file, 0x42), -1);
        EXPECT_EQ(packRle(file), -1);
        EXPECT_EQ(unpackRle(file), -1);
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
