#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <type_traits>

// The persistent block of player records and settings. Its stored form (packed
// and checked, see scorefile.h) is the fixed byte layout written next to each
// type below: integers little-endian, doubles IEEE 754 (little-endian too).
// encodeScoreBlock() and decodeScoreBlock() convert field by field, so the
// layout in memory does not matter and any host byte order works.

namespace tw {

inline constexpr int MaxNameLength = 32;
inline constexpr int PlayerCount = 100;
inline constexpr std::int32_t NoShortestBattle = 2147483647;

// A length byte followed by up to 32 Windows-1251 characters. Bytes past the
// length are zero when this program wrote them (see NormalizeShortString).
//   0   1  Length   0..32
//   1  32  Chars
struct TShortString
{
    std::uint8_t Length;
    char Chars[MaxNameLength];
};

// One player's record, 72 bytes:
//   0  33  Name            TShortString
//  33   3  Padding1        kept as loaded
//  36   4  Wins            int32
//  40   4  Losses          int32
//  44   4  Reserved        int32, never read or changed; kept as loaded
//  48   8  LastGame        double, OLE Automation date of the last finished game
//  56   4  LongestBattle   int32 seconds
//  60   4  ShortestBattle  int32 seconds; NoShortestBattle until a counted battle
//  64   4  TopScore        int32
//  68   1  Free            1: a free slot; 0: the slot holds a player
//  69   3  Padding2        kept as loaded
struct TPlayerRecord
{
    TShortString Name;
    std::uint8_t Padding1[3];
    std::int32_t Wins;
    std::int32_t Losses;
    std::int32_t Reserved;
    double LastGame;
    std::int32_t LongestBattle;
    std::int32_t ShortestBattle;
    std::int32_t TopScore;
    std::uint8_t Free;
    std::uint8_t Padding2[3];
};

// The records and the six settings, 7240 bytes. Records are numbered 1 to
// 100: record i is Players[i - 1]. Booleans are stored as 0 or 1; any nonzero
// byte reads as true.
//      0  7200  Players     100 x TPlayerRecord
//   7200     1  MusicOn
//   7201     1  SoundOn
//   7202     1  EnglishUI   1 English, 0 Russian
//   7203     1  SaveLog     write the game log file
//   7204     1  AreaSize    10..15
//   7205    33  PlayerName  TShortString, the current player
//   7238     2  Padding     kept as loaded
struct TScoreData
{
    TPlayerRecord Players[PlayerCount];
    std::uint8_t MusicOn;
    std::uint8_t SoundOn;
    std::uint8_t EnglishUI;
    std::uint8_t SaveLog;
    std::uint8_t AreaSize;
    TShortString PlayerName;
    std::uint8_t Padding[2];
};

static_assert(std::is_trivially_copyable_v<TScoreData>);

inline constexpr int PlayerRecordSize = 72;
inline constexpr int ScoreBlockSize = 7240;

// The stored form of data: ScoreBlockSize bytes laid out as above.
QByteArray encodeScoreBlock(const TScoreData &data);

// The block stored in bytes, every value as it stands (see
// makeScoreDataSafe()). Precondition: bytes.size() == ScoreBlockSize.
TScoreData decodeScoreBlock(QByteArrayView bytes);

// Brings every value this program never writes back into its range, field
// by field, so that a file damaged in one field keeps all its other records:
// a name or player name longer than 32 characters is cut to 32, an area size
// outside 10..15 becomes 10, and a Free flag other than 0 or 1 becomes 1 (a
// free slot: nothing of it is listed or counted). Answers whether anything
// changed.
bool makeScoreDataSafe(TScoreData &data);

// The text of a short string. A length above 32 (never written by this
// program) reads as 32.
QString ShortStringText(const TShortString &s);

// Stores the first 32 characters that Windows-1251 can hold (others are
// dropped) and zeroes the bytes after them.
void SetShortString(TShortString &s, QStringView text);

inline QString RecordName(const TPlayerRecord &record)
{
    return ShortStringText(record.Name);
}
inline void SetRecordName(TPlayerRecord &record, QStringView name)
{
    SetShortString(record.Name, name);
}
inline QString PlayerNameOf(const TScoreData &data)
{
    return ShortStringText(data.PlayerName);
}
inline void SetPlayerName(TScoreData &data, QStringView name)
{
    SetShortString(data.PlayerName, name);
}

} // namespace tw
