// SPDX-License-Identifier: GPL-3.0-or-later
#include "scoredata.h"

#include "model/board.h"
#include "util/cp1251.h"

#include <QtEndian>
#include <algorithm>
#include <bit>
#include <cstring>

namespace tw {
namespace {

// Reads and writes the stored form in order, one field after another; the
// offsets in the layout tables of scoredata.h are where each call lands.
class BlockWriter
{
public:
    explicit BlockWriter(char *out) : m_out(out) {}

    void bytes(const void *from, std::size_t count)
    {
        std::memcpy(m_out, from, count);
        m_out += count;
    }
    void byte(std::uint8_t v) { bytes(&v, 1); }
    void int32(std::int32_t v)
    {
        qToLittleEndian(v, m_out);
        m_out += 4;
    }
    void float64(double v)
    {
        qToLittleEndian(std::bit_cast<std::uint64_t>(v), m_out);
        m_out += 8;
    }
    void shortString(const ShortString &s)
    {
        byte(s.length);
        bytes(s.chars, sizeof s.chars);
    }

private:
    char *m_out;
};

class BlockReader
{
public:
    explicit BlockReader(const char *in) : m_in(in) {}

    void bytes(void *to, std::size_t count)
    {
        std::memcpy(to, m_in, count);
        m_in += count;
    }
    std::uint8_t byte()
    {
        std::uint8_t v = 0;
        bytes(&v, 1);
        return v;
    }
    std::int32_t int32()
    {
        const auto v = qFromLittleEndian<std::int32_t>(m_in);
        m_in += 4;
        return v;
    }
    double float64()
    {
        const auto v = qFromLittleEndian<std::uint64_t>(m_in);
        m_in += 8;
        return std::bit_cast<double>(v);
    }
    void shortString(ShortString &s)
    {
        s.length = byte();
        bytes(s.chars, sizeof s.chars);
    }

private:
    const char *m_in;
};

bool cutToMaxLength(ShortString &s)
{
    if (s.length <= MaxNameLength)
        return false;
    s.length = MaxNameLength;
    return true;
}

} // namespace

QString shortStringText(const ShortString &s)
{
    return fromCp1251(QByteArrayView(s.chars, std::min<int>(s.length, MaxNameLength)));
}

void setShortString(ShortString &s, QStringView text)
{
    const QByteArray bytes = toCp1251(text).left(MaxNameLength);
    std::memset(s.chars, 0, sizeof s.chars);
    std::memcpy(s.chars, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    s.length = static_cast<std::uint8_t>(bytes.size());
}

QByteArray encodeScoreBlock(const ScoreBlock &data)
{
    QByteArray out(ScoreBlockSize, '\0');
    BlockWriter w(out.data());
    for (const PlayerRecord &r : data.players) {
        w.shortString(r.name);
        w.bytes(r.padding1, sizeof r.padding1);
        w.int32(r.wins);
        w.int32(r.losses);
        w.int32(r.reserved);
        w.float64(r.lastGame);
        w.int32(r.longestBattle);
        w.int32(r.shortestBattle);
        w.int32(r.topScore);
        w.byte(r.free);
        w.bytes(r.padding2, sizeof r.padding2);
    }
    w.byte(data.musicOn);
    w.byte(data.soundOn);
    w.byte(data.englishUi);
    w.byte(data.saveLog);
    w.byte(data.areaSize);
    w.shortString(data.playerName);
    w.bytes(data.padding, sizeof data.padding);
    return out;
}

ScoreBlock decodeScoreBlock(QByteArrayView bytes)
{
    Q_ASSERT(bytes.size() == ScoreBlockSize);
    ScoreBlock data;
    BlockReader r(bytes.data());
    for (PlayerRecord &p : data.players) {
        r.shortString(p.name);
        r.bytes(p.padding1, sizeof p.padding1);
        p.wins = r.int32();
        p.losses = r.int32();
        p.reserved = r.int32();
        p.lastGame = r.float64();
        p.longestBattle = r.int32();
        p.shortestBattle = r.int32();
        p.topScore = r.int32();
        p.free = r.byte();
        r.bytes(p.padding2, sizeof p.padding2);
    }
    data.musicOn = r.byte();
    data.soundOn = r.byte();
    data.englishUi = r.byte();
    data.saveLog = r.byte();
    data.areaSize = r.byte();
    r.shortString(data.playerName);
    r.bytes(data.padding, sizeof data.padding);
    return data;
}

bool makeScoreDataSafe(ScoreBlock &data)
{
    bool changed = false;
    for (PlayerRecord &record : data.players) {
        changed |= cutToMaxLength(record.name);
        if (record.free > 1) {
            record.free = 1;
            changed = true;
        }
    }
    changed |= cutToMaxLength(data.playerName);
    if (data.areaSize < MinAreaSize || data.areaSize > MaxAreaSize) {
        data.areaSize = MinAreaSize;
        changed = true;
    }
    return changed;
}

} // namespace tw
