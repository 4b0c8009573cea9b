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
// length are zero when this program wrote them (see normalizeShortString).
//   0   1  Length   0..32
//   1  32  Chars
struct ShortString
{
    std::uint8_t length;
    char chars[MaxNameLength];
};

// One player's record, 72 bytes:
//   0  33  Name            ShortString
//  33   3  padding1        kept as loaded
//  36   4  Wins            int32
//  40   4  Losses          int32
//  44   4  Reserved        int32, never read or changed; kept as loaded
//  48   8  lastGame        double, OLE Automation date of the last finished game
//  56   4  longestBattle   int32 seconds
//  60   4  shortestBattle  int32 seconds; NoShortestBattle until a counted battle
//  64   4  topScore        int32
//  68   1  Free            1: a free slot; 0: the slot holds a player
//  69   3  padding2        kept as loaded
struct PlayerRecord
{
    ShortString name;
    std::uint8_t padding1[3];
    std::int32_t wins;
    std::int32_t losses;
    std::int32_t reserved;
    double lastGame;
    std::int32_t longestBattle;
    std::int32_t shortestBattle;
    std::int32_t topScore;
    std::uint8_t free;
    std::uint8_t padding2[3];
};

// The records and the six settings, 7240 bytes. Records are numbered 1 to
// 100: record i is Players[i - 1]. Booleans are stored as 0 or 1; any nonzero
// byte reads as true.
//      0  7200  Players     100 x PlayerRecord
//   7200     1  musicOn
//   7201     1  soundOn
//   7202     1  englishUi   1 English, 0 Russian
//   7203     1  saveLog     write the game log file
//   7204     1  areaSize    10..15
//   7205    33  playerName  ShortString, the current player
//   7238     2  Padding     kept as loaded
struct ScoreBlock
{
    PlayerRecord players[PlayerCount];
    std::uint8_t musicOn;
    std::uint8_t soundOn;
    std::uint8_t englishUi;
    std::uint8_t saveLog;
    std::uint8_t areaSize;
    ShortString playerName;
    std::uint8_t padding[2];
};

static_assert(std::is_trivially_copyable_v<ScoreBlock> && std::is_standard_layout_v<ScoreBlock>);

static_assert(sizeof(ShortString) == 33);
static_assert(offsetof(ShortString, length) == 0);
static_assert(offsetof(ShortString, chars) == 1);

static_assert(sizeof(PlayerRecord) == 72);
static_assert(offsetof(PlayerRecord, name) == 0);
static_assert(offsetof(PlayerRecord, padding1) == 33);
static_assert(offsetof(PlayerRecord, wins) == 36);
static_assert(offsetof(PlayerRecord, losses) == 40);
static_assert(offsetof(PlayerRecord, reserved) == 44);
static_assert(offsetof(PlayerRecord, lastGame) == 48);
static_assert(offsetof(PlayerRecord, longestBattle) == 56);
static_assert(offsetof(PlayerRecord, shortestBattle) == 60);
static_assert(offsetof(PlayerRecord, topScore) == 64);
static_assert(offsetof(PlayerRecord, free) == 68);
static_assert(offsetof(PlayerRecord, padding2) == 69);

static_assert(sizeof(ScoreBlock) == 7240);
static_assert(offsetof(ScoreBlock, players) == 0);
static_assert(offsetof(ScoreBlock, musicOn) == 7200);
static_assert(offsetof(ScoreBlock, soundOn) == 7201);
static_assert(offsetof(ScoreBlock, englishUi) == 7202);
static_assert(offsetof(ScoreBlock, saveLog) == 7203);
static_assert(offsetof(ScoreBlock, areaSize) == 7204);
static_assert(offsetof(ScoreBlock, playerName) == 7205);
static_assert(offsetof(ScoreBlock, padding) == 7238);

// The text of a short string. A length above 32 (never written by this
// program) reads as 32.
QString shortStringText(const ShortString &s);

// Stores the first 32 characters that Windows-1251 can hold (others are
// dropped) and zeroes the bytes after them.
void setShortString(ShortString &s, QStringView text);

inline QString recordName(const PlayerRecord &record)
{
    return shortStringText(record.name);
}
inline void setRecordName(PlayerRecord &record, QStringView name)
{
    setShortString(record.name, name);
}
inline QString playerNameOf(const ScoreBlock &data)
{
    return shortStringText(data.playerName);
}
inline void setPlayerName(ScoreBlock &data, QStringView name)
{
    setShortString(data.playerName, name);
}

} // namespace tw
