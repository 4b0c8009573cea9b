#pragma once

#include <QString>
#include <QStringView>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <type_traits>

// The persistent block of player records and settings. It is stored byte for
// byte (packed and checked, see scorefile.h), so every layout below is fixed:
// integers little-endian, doubles IEEE 754, no implicit padding.

namespace tw {

static_assert(std::endian::native == std::endian::little,
              "the score block is stored as it lies in memory on a little-endian host");

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

static_assert(std::is_trivially_copyable_v<TScoreData> && std::is_standard_layout_v<TScoreData>);

static_assert(sizeof(TShortString) == 33);
static_assert(offsetof(TShortString, Length) == 0);
static_assert(offsetof(TShortString, Chars) == 1);

static_assert(sizeof(TPlayerRecord) == 72);
static_assert(offsetof(TPlayerRecord, Name) == 0);
static_assert(offsetof(TPlayerRecord, Padding1) == 33);
static_assert(offsetof(TPlayerRecord, Wins) == 36);
static_assert(offsetof(TPlayerRecord, Losses) == 40);
static_assert(offsetof(TPlayerRecord, Reserved) == 44);
static_assert(offsetof(TPlayerRecord, LastGame) == 48);
static_assert(offsetof(TPlayerRecord, LongestBattle) == 56);
static_assert(offsetof(TPlayerRecord, ShortestBattle) == 60);
static_assert(offsetof(TPlayerRecord, TopScore) == 64);
static_assert(offsetof(TPlayerRecord, Free) == 68);
static_assert(offsetof(TPlayerRecord, Padding2) == 69);

static_assert(sizeof(TScoreData) == 7240);
static_assert(offsetof(TScoreData, Players) == 0);
static_assert(offsetof(TScoreData, MusicOn) == 7200);
static_assert(offsetof(TScoreData, SoundOn) == 7201);
static_assert(offsetof(TScoreData, EnglishUI) == 7202);
static_assert(offsetof(TScoreData, SaveLog) == 7203);
static_assert(offsetof(TScoreData, AreaSize) == 7204);
static_assert(offsetof(TScoreData, PlayerName) == 7205);
static_assert(offsetof(TScoreData, Padding) == 7238);

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
