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

QByteArray BytesOf(const TScoreData &data)
{
    return encodeScoreBlock(data);
}

// The stored bytes of a block with known values, checked at their offsets.
TEST(ScoreDataLayout, GoldenBytes)
{
    TScoreData data;
    std::memset(&data, 0, sizeof data);
    TPlayerRecord &second = data.Players[1];
    second.Name.Length = 3;
    std::memcpy(second.Name.Chars, "Ann", 3);
    second.Wins = 0x01020304;
    second.Losses = -2;
    second.Reserved = 0x0A0B0C0D;
    second.LastGame = 1.0;
    second.LongestBattle = 70;
    second.ShortestBattle = NoShortestBattle;
    second.TopScore = 333;
    second.Free = 1;
    data.MusicOn = 1;
    data.EnglishUI = 1;
    data.AreaSize = 15;
    data.PlayerName.Length = 2;
    std::memcpy(data.PlayerName.Chars, "Jo", 2);

    const QByteArray bytes = BytesOf(data);
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
    TPlayerRecord record{};
    SetRecordName(record, u"Вася");
    EXPECT_EQ(record.Name.Length, 4);
    EXPECT_EQ(QByteArray(record.Name.Chars, 4).toHex(' '), "c2 e0 f1 ff");
    EXPECT_EQ(RecordName(record), QStringLiteral("Вася"));
}

TEST(ShortString, KeepsTheFirst32HeldCharactersAndZeroesTheRest)
{
    TScoreData data{};
    std::memset(data.PlayerName.Chars, 'x', sizeof data.PlayerName.Chars);
    SetPlayerName(data, u"😀Ab");
    EXPECT_EQ(PlayerNameOf(data), QStringLiteral("Ab"));
    EXPECT_EQ(QByteArray(data.PlayerName.Chars, 32), QByteArray("Ab") + QByteArray(30, '\0'));

    const QString longName = QStringLiteral("Ж").repeated(40);
    SetPlayerName(data, longName);
    EXPECT_EQ(data.PlayerName.Length, 32);
    EXPECT_EQ(PlayerNameOf(data), longName.left(32));
}

TEST(ShortString, LengthBeyondTheCharactersReadsAs32)
{
    TShortString s{};
    s.Length = 200;
    std::memset(s.Chars, 'z', sizeof s.Chars);
    EXPECT_EQ(ShortStringText(s), QString(32, QLatin1Char('z')));
}

} // namespace
} // namespace tw
