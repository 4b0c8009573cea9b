// SPDX-License-Identifier: GPL-3.0-or-later
// Damaged score files: what survives a bad byte, and what is kept when
// nothing can be read.
#include "records/records.h"
#include "records/scorefile.h"
#include "util/fileops.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace tw {
namespace {

// 60 players with distinct figures: the file a long-time player has.
ScoreBlock sixtyPlayers()
{
    ScoreBlock data;
    setDefaultScoreData(data);
    for (int i = 0; i < 60; ++i) {
        PlayerRecord &r = data.players[i];
        setRecordName(r, QStringLiteral("Player %1").arg(i));
        r.free = 0;
        r.wins = i;
        r.losses = 2 * i + 1;
        r.lastGame = 45000.5 + i;
        r.longestBattle = 100 + i;
        r.shortestBattle = 50 + i;
        r.topScore = 1000 * i;
    }
    setPlayerName(data, u"Player 7");
    data.areaSize = 12;
    return data;
}

// The payload offsets of the fields the damages below hit.
constexpr int nameLengthOf(int index)
{
    return (index - 1) * PlayerRecordSize;
}
constexpr int freeOf(int index)
{
    return (index - 1) * PlayerRecordSize + 68;
}
constexpr int AreaSizeAt = 7204;
constexpr int PlayerNameLengthAt = 7205;

QByteArray fileWith(const ScoreBlock &data, const std::function<void(QByteArray &)> &damage)
{
    QByteArray payload = encodeScoreBlock(data);
    damage(payload);
    QByteArray bytes = packRleBytes(payload);
    bytes.append(static_cast<char>(xorChecksum(bytes, ScoreFileSeed)));
    return bytes;
}

class ScoreFileDamage : public testing::Test
{
protected:
    QString path(const char *name) const { return m_data.filePath(QLatin1String(name)); }

    void write(const char *name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray read(const char *name) const
    {
        QFile file(path(name));
        if (!file.open(QIODevice::ReadOnly))
            return "(missing)";
        return file.readAll();
    }

    QStringList entries() const
    {
        return QDir(m_data.path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    bool load(ScoreBlock &into) const
    {
        return loadScoreFile(into, m_data.path(), m_system.path());
    }

    QTemporaryDir m_data;
    QTemporaryDir m_system;
};

// One value out of range, the check byte sound: that field is made safe and
// every other record and setting loads as it was.
TEST_F(ScoreFileDamage, OutOfRangeValuesAreMadeSafeFieldByField)
{
    const ScoreBlock good = sixtyPlayers();
    struct Case
    {
        const char *name;
        std::function<void(QByteArray &)> damage;
        std::function<void(ScoreBlock &)> expected; // from the good block
    };
    const auto set = [](int at, int value) {
        return [at, value](QByteArray &p) { p[at] = static_cast<char>(value); };
    };
    const Case cases[] = {
        {"name length 33", set(nameLengthOf(5), 33),
         [](ScoreBlock &d) { d.players[4].name.length = 32; }},
        {"name length 255", set(nameLengthOf(60), 255),
         [](ScoreBlock &d) { d.players[59].name.length = 32; }},
        {"player name length 33", set(PlayerNameLengthAt, 33),
         [](ScoreBlock &d) { d.playerName.length = 32; }},
        {"area size 16", set(AreaSizeAt, 16), [](ScoreBlock &d) { d.areaSize = 10; }},
        {"area size 9", set(AreaSizeAt, 9), [](ScoreBlock &d) { d.areaSize = 10; }},
        {"area size 0", set(AreaSizeAt, 0), [](ScoreBlock &d) { d.areaSize = 10; }},
        {"area size 255", set(AreaSizeAt, 255), [](ScoreBlock &d) { d.areaSize = 10; }},
        {"Free flag 2 on a player", set(freeOf(3), 2),
         [](ScoreBlock &d) { d.players[2].free = 1; }},
        {"Free flag 255 on a free slot", set(freeOf(80), 255), [](ScoreBlock &) {}},
        {"three at once",
         [&](QByteArray &p) {
             set(nameLengthOf(1), 40)(p);
             set(AreaSizeAt, 200)(p);
             set(freeOf(2), 7)(p);
         },
         [](ScoreBlock &d) {
             d.players[0].name.length = 32;
             d.areaSize = 10;
             d.players[1].free = 1;
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray bytes = fileWith(good, c.damage);
        ScoreBlock expected = good;
        c.expected(expected);

        const std::optional<ScoreBlock> fromBytes = scoreDataFromFile(bytes);
        ASSERT_TRUE(fromBytes.has_value());
        EXPECT_EQ(encodeScoreBlock(*fromBytes), encodeScoreBlock(expected));

        write(ScoreFileName, bytes);
        ScoreBlock loaded;
        setDefaultScoreData(loaded);
        ASSERT_TRUE(load(loaded));
        EXPECT_EQ(encodeScoreBlock(loaded), encodeScoreBlock(expected));
        EXPECT_EQ(read(ScoreFileName), bytes) << "loading never changes the file";

        // Saving what was loaded keeps the file: it was readable.
        ASSERT_TRUE(saveScoreFile(loaded, m_data.path()));
        EXPECT_EQ(entries(), QStringList{ScoreFileName});
    }
}

// A file that cannot be read at all starts the game with the defaults, and
// the save that replaces it keeps it as tarnwake.hsc.damaged.
TEST_F(ScoreFileDamage, UnreadableFileIsKeptBeforeTheSaveReplacesIt)
{
    const QByteArray valid = scoreFileBytes(sixtyPlayers());
    QByteArray flippedBit = valid;
    flippedBit[valid.size() / 2] = static_cast<char>(flippedBit[valid.size() / 2] ^ 0x10);
    QByteArray flippedCheckBit = valid;
    flippedCheckBit[valid.size() - 1] = static_cast<char>(valid.back() ^ 0x01);
    const std::pair<const char *, QByteArray> cases[] = {
        {"flipped bit", flippedBit},
        {"flipped bit in the check byte", flippedCheckBit},
        {"last byte cut", valid.chopped(1)},
        {"one byte too many", valid + 'x'},
        {"one zero byte too many", valid + '\0'},
        {"payload one byte short", fileWith(sixtyPlayers(), [](QByteArray &p) { p.chop(1); })},
        {"empty", QByteArray()},
        {"text", QByteArray("not a score file\n")},
    };
    for (const auto &[name, bytes] : cases) {
        SCOPED_TRACE(name);
        QFile::remove(path(DamagedScoreFileName));
        write(ScoreFileName, bytes);
        EXPECT_FALSE(scoreDataFromFile(bytes).has_value());
        ScoreBlock data;
        setDefaultScoreData(data);
        EXPECT_FALSE(load(data));
        EXPECT_EQ(read(ScoreFileName), bytes);

        ASSERT_TRUE(saveScoreFile(data, m_data.path()));
        EXPECT_EQ(read(DamagedScoreFileName), bytes);
        EXPECT_EQ(read(ScoreFileName), scoreFileBytes(data));
        EXPECT_EQ(entries(), (QStringList{ScoreFileName, DamagedScoreFileName}));

        // The next save replaces a sound file and keeps the copy as it is.
        data.players[0].wins = 5;
        ASSERT_TRUE(saveScoreFile(data, m_data.path()));
        EXPECT_EQ(read(DamagedScoreFileName), bytes);
    }
}

TEST_F(ScoreFileDamage, OnlyTheNewestDamagedFileIsKept)
{
    ScoreBlock data;
    setDefaultScoreData(data);
    write(ScoreFileName, "first damage");
    ASSERT_TRUE(saveScoreFile(data, m_data.path()));
    write(ScoreFileName, "second damage");
    ASSERT_TRUE(saveScoreFile(data, m_data.path()));
    EXPECT_EQ(read(DamagedScoreFileName), "second damage");
    EXPECT_EQ(entries(), (QStringList{ScoreFileName, DamagedScoreFileName}));
}

// A disk that fails the flush: the previous file stays and the save says so.
class FailingSync final : public FileSync
{
public:
    bool syncData(int) override
    {
        ++calls;
        errno = EIO;
        return false;
    }
    int calls = 0;
};

class CountingSync final : public FileSync
{
public:
    bool syncData(int fd) override
    {
        ++calls;
        return systemFileSync().syncData(fd);
    }
    int calls = 0;
};

TEST_F(ScoreFileDamage, FailedFlushKeepsThePreviousFileAndFails)
{
    ScoreBlock data = sixtyPlayers();
    ASSERT_TRUE(saveScoreFile(data, m_data.path()));
    const QByteArray before = read(ScoreFileName);

    data.players[3].wins = 99;
    FailingSync failing;
    EXPECT_FALSE(saveScoreFile(data, m_data.path(), failing));
    EXPECT_EQ(failing.calls, 1);
    EXPECT_EQ(read(ScoreFileName), before);
    EXPECT_EQ(entries(), QStringList{ScoreFileName}) << "no new file left behind";

    CountingSync counting;
    EXPECT_TRUE(saveScoreFile(data, m_data.path(), counting));
    EXPECT_EQ(counting.calls, 1) << "the file is flushed before it takes the old one's place";
    EXPECT_EQ(read(ScoreFileName), scoreFileBytes(data));
}

// What a kill between writing and renaming leaves is removed at the next
// start; nothing else goes.
TEST_F(ScoreFileDamage, UnfinishedSavesAreRemoved)
{
    const char *left[] = {"tarnwake.hsc.new-a1B2c3", "tarnwake.hsc.new-ZZZZZZ"};
    const char *kept[] = {"tarnwake.hsc",         "tarnwake.hsc.damaged",
                          "tarnwake.hsc.new-abc", "tarnwake.hsc.new-abcdefg",
                          "tarnwake.hsc.backup",  "other.new-a1B2c3"};
    for (const char *name : left)
        write(name, "half a save");
    for (const char *name : kept)
        write(name, "keep me");
    removeUnfinishedSaves(m_data.path());
    QStringList expected;
    for (const char *name : kept)
        expected << QLatin1String(name);
    expected.sort();
    EXPECT_EQ(entries(), expected);
}

} // namespace
} // namespace tw
