#include "common/filesizelimit.h"
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

QByteArray BytesOf(const TScoreData &data)
{
    return encodeScoreBlock(data);
}

// The file as the layers define it: magic and units, then the check byte.
QByteArray Layered(const QByteArray &payload)
{
    QByteArray bytes = PackRleBytes(payload);
    bytes.append(static_cast<char>(XorChecksum(bytes, 0x42)));
    return bytes;
}

// A block that uses every byte: random contents, made loadable.
TScoreData NoisyScoreData(unsigned seed)
{
    std::mt19937 engine(seed);
    QByteArray raw(ScoreBlockSize, Qt::Uninitialized);
    for (char &b : raw)
        b = static_cast<char>(engine());
    TScoreData data = decodeScoreBlock(raw);
    for (TPlayerRecord &record : data.Players) {
        record.Name.Length %= 33;
        record.Free %= 2;
    }
    data.PlayerName.Length %= 33;
    data.AreaSize = 10 + data.AreaSize % 6;
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

    bool load(TScoreData &into) const
    {
        return LoadScoreFile(into, m_data.path(), m_system.path());
    }

    bool systemDirectoryEmpty() const
    {
        return QDir(m_system.path())
            .isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    QStringList dataDirectoryEntries() const
    {
        return QDir(m_data.path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    QTemporaryDir m_data;
    QTemporaryDir m_system;
};

using test::WithFileSizeLimit;

TEST_F(ScoreFile, SaveThenLoadRestoresEveryByte)
{
    TScoreData saved = NoisyScoreData(11);
    ASSERT_TRUE(SaveScoreFile(saved, m_data.path()));
    const QByteArray onDisk = readFile();

    TScoreData loaded = NoisyScoreData(12);
    ASSERT_TRUE(load(loaded));
    EXPECT_EQ(BytesOf(loaded), BytesOf(saved));
    EXPECT_EQ(readFile(), onDisk);
    EXPECT_TRUE(systemDirectoryEmpty());
}

TEST_F(ScoreFile, SaveWritesTheThreeLayersWithNormalizedNames)
{
    TScoreData data = NoisyScoreData(21);
    ASSERT_TRUE(SaveScoreFile(data, m_data.path()));

    // The save zeroed the characters past every length, in memory too.
    for (const TPlayerRecord &record : data.Players)
        EXPECT_EQ(QByteArray(record.Name.Chars + record.Name.Length, 32 - record.Name.Length),
                  QByteArray(32 - record.Name.Length, '\0'));
    EXPECT_EQ(readFile(), Layered(BytesOf(data)));
}

TEST_F(ScoreFile, ZeroBlockIsSixBytes)
{
    TScoreData zero;
    std::memset(&zero, 0, sizeof zero);
    ASSERT_TRUE(SaveScoreFile(zero, m_data.path()));
    const char check = static_cast<char>(0x42 ^ 0x51 ^ 0x56 ^ 0x1C ^ 0x48 ^ 0x00);
    EXPECT_EQ(readFile(), QByteArray::fromHex("51561C4800") + check);
}

TEST_F(ScoreFile, DefaultsSurviveTheRoundTrip)
{
    TScoreData defaults;
    SetDefaultScoreData(defaults);
    ASSERT_TRUE(SaveScoreFile(defaults, m_data.path()));
    TScoreData loaded;
    ASSERT_TRUE(load(loaded));
    EXPECT_EQ(BytesOf(loaded), BytesOf(defaults));
}

TEST_F(ScoreFile, MissingFileIsNoLoad)
{
    TScoreData data;
    SetDefaultScoreData(data);
    const QByteArray before = BytesOf(data);
    EXPECT_FALSE(load(data));
    EXPECT_EQ(BytesOf(data), before);
}

TEST_F(ScoreFile, DamagedOrInvalidFilesAreRejectedAndLeftAlone)
{
    TScoreData good;
    SetDefaultScoreData(good);
    SetRecordName(good.Players[4], u"Ann");
    good.Players[4].Free = 0;
    const QByteArray payload = BytesOf(good);

    const QByteArray valid = Layered(payload);
    QByteArray lastByteChanged = valid;
    lastByteChanged[valid.size() - 1] = static_cast<char>(valid.back() ^ 1);
    QByteArray wrongMagic = valid.chopped(1);
    wrongMagic[1] = 'W';
    wrongMagic.append(static_cast<char>(XorChecksum(wrongMagic, 0x42)));
    QByteArray cutUnit = valid.chopped(11);
    cutUnit.append(static_cast<char>(XorChecksum(cutUnit, 0x42)));
    std::mt19937 engine(5);
    QByteArray garbage(3000, Qt::Uninitialized);
    for (char &b : garbage)
        b = static_cast<char>(engine());

    const std::vector<std::pair<const char *, QByteArray>> cases = {
        {"last byte changed", lastByteChanged},
        {"one payload byte more", Layered(payload + 'x')},
        {"one payload byte fewer", Layered(payload.chopped(1))},
        {"wrong magic", wrongMagic},
        {"unit cut short", cutUnit},
        {"empty file", QByteArray()},
        {"check byte only", QByteArray(1, '\x42')},
        {"garbage", garbage},
    };
    for (const auto &[name, bytes] : cases) {
        SCOPED_TRACE(name);
        writeFile(bytes);
        TScoreData target = NoisyScoreData(3);
        const QByteArray before = BytesOf(target);
        EXPECT_FALSE(load(target));
        EXPECT_EQ(BytesOf(target), before);
        EXPECT_EQ(readFile(), bytes);
        EXPECT_TRUE(systemDirectoryEmpty());
    }

    // The sanity checks above are not simply failing every file.
    writeFile(valid);
    TScoreData target;
    EXPECT_TRUE(load(target));
}

TEST_F(ScoreFile, WorkingCopyIsNeverTheFileItself)
{
    TScoreData data;
    SetDefaultScoreData(data);
    ASSERT_TRUE(SaveScoreFile(data, m_data.path()));
    const QByteArray before = readFile();
    EXPECT_FALSE(LoadScoreFile(data, m_data.path(), m_data.path()));
    EXPECT_EQ(readFile(), before);
}

TEST_F(ScoreFile, SaveIntoMissingDirectoryFails)
{
    TScoreData data;
    SetDefaultScoreData(data);
    EXPECT_FALSE(SaveScoreFile(data, m_data.filePath(QStringLiteral("missing"))));
}

TEST_F(ScoreFile, SaveCutShortLeavesThePreviousFile)
{
    TScoreData previous;
    SetDefaultScoreData(previous);
    ASSERT_TRUE(SaveScoreFile(previous, m_data.path()));
    const QByteArray before = readFile();
    ASSERT_LT(before.size(), 4096);

    TScoreData bigger = NoisyScoreData(8);
    WithFileSizeLimit(4096, [&] { EXPECT_FALSE(SaveScoreFile(bigger, m_data.path())); });
    EXPECT_EQ(readFile(), before);
    EXPECT_EQ(dataDirectoryEntries(), QStringList{QLatin1String(ScoreFileName)});
}

TEST_F(ScoreFile, SaveWhereNoTemporaryCanBeMadeLeavesThePreviousFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "directory permissions do not bind root";
    TScoreData data;
    SetDefaultScoreData(data);
    ASSERT_TRUE(SaveScoreFile(data, m_data.path()));
    const QByteArray before = readFile();

    const auto writable = QFile::permissions(m_data.path());
    ASSERT_TRUE(
        QFile::setPermissions(m_data.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    data.MusicOn = 0;
    EXPECT_FALSE(SaveScoreFile(data, m_data.path()));
    QFile::setPermissions(m_data.path(), writable);
    EXPECT_EQ(readFile(), before);
}

} // namespace
} // namespace tw
