// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/filesizelimit.h"
#include "common/oddfiles.h"
#include "records/records.h"
#include "records/scorefile.h"
#include "util/fileops.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <unistd.h>

namespace tw {
namespace {

QByteArray bytesOf(const ScoreBlock &data)
{
    return encodeScoreBlock(data);
}

// The file as the layers define it: magic and units, then the check byte.
QByteArray layered(const QByteArray &payload)
{
    QByteArray bytes = packRleBytes(payload);
    bytes.append(static_cast<char>(xorChecksum(bytes, 0x42)));
    return bytes;
}

// A block that uses every byte: random contents, made loadable.
ScoreBlock noisyScoreData(unsigned seed)
{
    std::mt19937 engine(seed);
    QByteArray raw(ScoreBlockSize, Qt::Uninitialized);
    for (char &b : raw)
        b = static_cast<char>(engine());
    ScoreBlock data = decodeScoreBlock(raw);
    for (PlayerRecord &record : data.players) {
        record.name.length %= 33;
        record.free %= 2;
    }
    data.playerName.length %= 33;
    data.areaSize = 10 + data.areaSize % 6;
    return data;
}

class ScoreFile : public testing::Test
{
protected:
    QString filePath() const { return m_data.filePath(QLatin1String(ScoreFileName)); }

    void writeFile(const QByteArray &bytes) const
    {
        QFile file(filePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray readFile() const
    {
        QFile file(filePath());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    bool load(ScoreBlock &into) const
    {
        return loadScoreFile(into, m_data.path(), m_system.path());
    }

    bool systemDirectoryEmpty() const
    {
        return QDir(m_system.path())
            .isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    QStringList dataDirectoryEntries() const
    {
        return QDir(m_data.path())
            .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    QTemporaryDir m_data;
    QTemporaryDir m_system;
};

using test::withFileSizeLimit;

TEST_F(ScoreFile, SaveThenLoadRestoresEveryByte)
{
    ScoreBlock saved = noisyScoreData(11);
    ASSERT_TRUE(saveScoreFile(saved, m_data.path()));
    const QByteArray onDisk = readFile();

    ScoreBlock loaded = noisyScoreData(12);
    ASSERT_TRUE(load(loaded));
    EXPECT_EQ(bytesOf(loaded), bytesOf(saved));
    EXPECT_EQ(readFile(), onDisk);
    EXPECT_TRUE(systemDirectoryEmpty());
}

TEST_F(ScoreFile, SaveWritesTheThreeLayersWithNormalizedNames)
{
    ScoreBlock data = noisyScoreData(21);
    ASSERT_TRUE(saveScoreFile(data, m_data.path()));

    // The save zeroed the characters past every length, in memory too.
    for (const PlayerRecord &record : data.players)
        EXPECT_EQ(QByteArray(record.name.chars + record.name.length, 32 - record.name.length),
                  QByteArray(32 - record.name.length, '\0'));
    EXPECT_EQ(readFile(), layered(bytesOf(data)));
}

TEST_F(ScoreFile, ZeroBlockIsSixBytes)
{
    ScoreBlock zero;
    std::memset(&zero, 0, sizeof zero);
    ASSERT_TRUE(saveScoreFile(zero, m_data.path()));
    const char check = static_cast<char>(0x42 ^ 0x51 ^ 0x56 ^ 0x1C ^ 0x48 ^ 0x00);
    EXPECT_EQ(readFile(), QByteArray::fromHex("51561C4800") + check);
}

TEST_F(ScoreFile, DefaultsSurviveTheRoundTrip)
{
    ScoreBlock defaults;
    setDefaultScoreData(defaults);
    ASSERT_TRUE(saveScoreFile(defaults, m_data.path()));
    ScoreBlock loaded;
    ASSERT_TRUE(load(loaded));
    EXPECT_EQ(bytesOf(loaded), bytesOf(defaults));
}

TEST_F(ScoreFile, MissingFileIsNoLoad)
{
    ScoreBlock data;
    setDefaultScoreData(data);
    const QByteArray before = bytesOf(data);
    EXPECT_FALSE(load(data));
    EXPECT_EQ(bytesOf(data), before);
}

TEST_F(ScoreFile, DamagedOrInvalidFilesAreRejectedAndLeftAlone)
{
    ScoreBlock good;
    setDefaultScoreData(good);
    setRecordName(good.players[4], u"Ann");
    good.players[4].free = 0;
    const QByteArray payload = bytesOf(good);

    const QByteArray valid = layered(payload);
    QByteArray lastByteChanged = valid;
    lastByteChanged[valid.size() - 1] = static_cast<char>(valid.back() ^ 1);
    QByteArray wrongMagic = valid.chopped(1);
    wrongMagic[1] = 'W';
    wrongMagic.append(static_cast<char>(xorChecksum(wrongMagic, 0x42)));
    QByteArray cutUnit = valid.chopped(11);
    cutUnit.append(static_cast<char>(xorChecksum(cutUnit, 0x42)));
    std::mt19937 engine(5);
    QByteArray garbage(3000, Qt::Uninitialized);
    for (char &b : garbage)
        b = static_cast<char>(engine());

    const std::vector<std::pair<const char *, QByteArray>> cases = {
        {"last byte changed", lastByteChanged},
        {"one payload byte more", layered(payload + 'x')},
        {"one payload byte fewer", layered(payload.chopped(1))},
        {"wrong magic", wrongMagic},
        {"unit cut short", cutUnit},
        {"empty file", QByteArray()},
        {"check byte only", QByteArray(1, '\x42')},
        {"garbage", garbage},
    };
    for (const auto &[name, bytes] : cases) {
        SCOPED_TRACE(name);
        writeFile(bytes);
        ScoreBlock target = noisyScoreData(3);
        const QByteArray before = bytesOf(target);
        EXPECT_FALSE(load(target));
        EXPECT_EQ(bytesOf(target), before);
        EXPECT_EQ(readFile(), bytes);
        EXPECT_TRUE(systemDirectoryEmpty());
    }

    // The sanity checks above are not simply failing every file.
    writeFile(valid);
    ScoreBlock target;
    EXPECT_TRUE(load(target));
}

// Something else in the score file's place (a FIFO, a socket, a directory,
// a device) loads nothing, at once, and no save renames it aside, replaces
// it or writes through it: whoever put it there may want it.
TEST_F(ScoreFile, WhatIsNotAPlainFileIsNoLoadAndIsLeftWhereItIs)
{
    for (const test::OddFile &odd : test::oddFiles()) {
        SCOPED_TRACE(odd.kind);
        ASSERT_TRUE(test::makeOddFile(odd, filePath()));
        ScoreBlock data = noisyScoreData(7);
        const QByteArray before = bytesOf(data);
        EXPECT_FALSE(load(data));
        EXPECT_EQ(bytesOf(data), before);
        EXPECT_FALSE(saveScoreFile(data, m_data.path()));
        EXPECT_TRUE(test::isOddFileIntact(odd, filePath()));
        EXPECT_EQ(dataDirectoryEntries(), QStringList{QLatin1String(ScoreFileName)});
        EXPECT_TRUE(systemDirectoryEmpty());
        QFile::remove(filePath());
        QDir(filePath()).removeRecursively();
    }
}

TEST_F(ScoreFile, WorkingCopyIsNeverTheFileItself)
{
    ScoreBlock data;
    setDefaultScoreData(data);
    ASSERT_TRUE(saveScoreFile(data, m_data.path()));
    const QByteArray before = readFile();
    EXPECT_FALSE(loadScoreFile(data, m_data.path(), m_data.path()));
    EXPECT_EQ(readFile(), before);
}

TEST_F(ScoreFile, SaveIntoMissingDirectoryFails)
{
    ScoreBlock data;
    setDefaultScoreData(data);
    EXPECT_FALSE(saveScoreFile(data, m_data.filePath(QStringLiteral("missing"))));
}

TEST_F(ScoreFile, SaveCutShortLeavesThePreviousFile)
{
    ScoreBlock previous;
    setDefaultScoreData(previous);
    ASSERT_TRUE(saveScoreFile(previous, m_data.path()));
    const QByteArray before = readFile();
    ASSERT_LT(before.size(), 4096);

    ScoreBlock bigger = noisyScoreData(8);
    withFileSizeLimit(4096, [&] { EXPECT_FALSE(saveScoreFile(bigger, m_data.path())); });
    EXPECT_EQ(readFile(), before);
    EXPECT_EQ(dataDirectoryEntries(), QStringList{QLatin1String(ScoreFileName)});
}

TEST_F(ScoreFile, SaveWhereNoTemporaryCanBeMadeLeavesThePreviousFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "directory permissions do not bind root";
    ScoreBlock data;
    setDefaultScoreData(data);
    ASSERT_TRUE(saveScoreFile(data, m_data.path()));
    const QByteArray before = readFile();

    const auto writable = QFile::permissions(m_data.path());
    ASSERT_TRUE(
        QFile::setPermissions(m_data.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    data.musicOn = 0;
    EXPECT_FALSE(saveScoreFile(data, m_data.path()));
    QFile::setPermissions(m_data.path(), writable);
    EXPECT_EQ(readFile(), before);
}

} // namespace
} // namespace tw
