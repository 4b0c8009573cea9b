// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/scoredata.h"

#include <QByteArray>
#include <cstring>
#include <gtest/gtest.h>
#include <ostream>

[[maybe_unused]] static void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace tw {
namespace {

QByteArray bytesOf(const ScoreBlock &data)
{
    return encodeScoreBlock(data);
}

// The stored bytes of a block with known values, checked at their offsets.
TEST(ScoreDataLayout, GoldenBytes)
{
    ScoreBlock data;
    std::memset(&data, 0, sizeof data);
    PlayerRecord &second = data.players[1];
    second.name.length = 3;
    std::memcpy(second.name.chars, "Ann", 3);
    second.wins = 0x01020304;
    second.losses = -2;
    second.reserved = 0x0A0B0C0D;
    second.lastGame = 1.0;
    second.longestBattle = 70;
    second.shortestBattle = NoShortestBattle;
    second.topScore = 333;
    second.free = 1;
    data.musicOn = 1;
    data.englishUi = 1;
    data.areaSize = 15;
    data.playerName.length = 2;
    std::memcpy(data.playerName.chars, "Jo", 2);

    const QByteArray bytes = bytesOf(data);
    const QByteArray record = bytes.mid(72, 72);
    EXPECT_EQ(record.mid(0, 4).toHex(' '), "03 41 6e 6e");
    EXPECT_EQ(record.mid(36, 4).toHex(' '), "04 03 02 01");
    EXPECT_EQ(record.mid(40, 4).toHex(' '), "fe ff ff ff");
    EXPECT_EQ(record.mid(44, 4).toHex(' '), "0d 0c 0b 0a");
    EXPECT_EQ(record.mid(48, 8).toHex(' '), "00 00 00 00 00 00 f0 3f");
    EXPECT_EQ(record.mid(56, 4).toHex(' '), "46 00 00 00");
    EXPECT_EQ(record.mid(60, 4).toHex(' '), "ff ff ff 7f");
    EXPECT_EQ(record.mid(64, 4).toHex(' '), "4d 01 00 00");
    EXPECT_EQ(record.mid(68, 4).toHex(' '), "01 00 00 00");
    EXPECT_EQ(bytes.mid(7200, 8).toHex(' '), "01 00 01 00 0f 02 4a 6f");
    EXPECT_EQ(bytes.count('\0'), 7240 - 32);
}

TEST(ShortString, StoresWindows1251)
{
    PlayerRecord record{};
    setRecordName(record, u"Вася");
    EXPECT_EQ(record.name.length, 4);
    EXPECT_EQ(QByteArray(record.name.chars, 4).toHex(' '), "c2 e0 f1 ff");
    EXPECT_EQ(recordName(record), QStringLiteral("Вася"));
}

TEST(ShortString, KeepsTheFirst32HeldCharactersAndZeroesTheRest)
{
    ScoreBlock data{};
    std::memset(data.playerName.chars, 'x', sizeof data.playerName.chars);
    setPlayerName(data, u"😀Ab");
    EXPECT_EQ(playerNameOf(data), QStringLiteral("Ab"));
    EXPECT_EQ(QByteArray(data.playerName.chars, 32), QByteArray("Ab") + QByteArray(30, '\0'));

    const QString longName = QStringLiteral("Ж").repeated(40);
    setPlayerName(data, longName);
    EXPECT_EQ(data.playerName.length, 32);
    EXPECT_EQ(playerNameOf(data), longName.left(32));
}

TEST(ShortString, LengthBeyondTheCharactersReadsAs32)
{
    ShortString s{};
    s.length = 200;
    std::memset(s.chars, 'z', sizeof s.chars);
    EXPECT_EQ(shortStringText(s), QString(32, QLatin1Char('z')));
}

} // namespace
} // namespace tw
