// SPDX-License-Identifier: GPL-3.0-or-later
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

static_assert(std::is_trivially_copyable_v<ScoreBlock>);

inline constexpr int PlayerRecordSize = 72;
inline constexpr int ScoreBlockSize = 7240;

// The stored form of data: ScoreBlockSize bytes laid out as above.
QByteArray encodeScoreBlock(const ScoreBlock &data);

// The block stored in bytes, every value as it stands (see
// makeScoreDataSafe()). Precondition: bytes.size() == ScoreBlockSize.
ScoreBlock decodeScoreBlock(QByteArrayView bytes);

// Brings every value this program never writes back into its range, field
// by field, so that a file damaged in one field keeps all its other records:
// a name or player name longer than 32 characters is cut to 32, an area size
// outside 10..15 becomes 10, and a Free flag other than 0 or 1 becomes 1 (a
// free slot: nothing of it is listed or counted). Answers whether anything
// changed.
bool makeScoreDataSafe(ScoreBlock &data);

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
