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
    void shortString(const TShortString &s)
    {
        byte(s.Length);
        bytes(s.Chars, sizeof s.Chars);
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
    void shortString(TShortString &s)
    {
        s.Length = byte();
        bytes(s.Chars, sizeof s.Chars);
    }

private:
    const char *m_in;
};

bool CutToMaxLength(TShortString &s)
{
    if (s.Length <= MaxNameLength)
        return false;
    s.Length = MaxNameLength;
    return true;
}

} // namespace

QString ShortStringText(const TShortString &s)
{
    return FromCp1251(QByteArrayView(s.Chars, std::min<int>(s.Length, MaxNameLength)));
}

void SetShortString(TShortString &s, QStringView text)
{
    const QByteArray bytes = ToCp1251(text).left(MaxNameLength);
    std::memset(s.Chars, 0, sizeof s.Chars);
    std::memcpy(s.Chars, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    s.Length = static_cast<std::uint8_t>(bytes.size());
}

QByteArray encodeScoreBlock(const TScoreData &data)
{
    QByteArray out(ScoreBlockSize, '\0');
    BlockWriter w(out.data());
    for (const TPlayerRecord &r : data.Players) {
        w.shortString(r.Name);
        w.bytes(r.Padding1, sizeof r.Padding1);
        w.int32(r.Wins);
        w.int32(r.Losses);
        w.int32(r.Reserved);
        w.float64(r.LastGame);
        w.int32(r.LongestBattle);
        w.int32(r.ShortestBattle);
        w.int32(r.TopScore);
        w.byte(r.Free);
        w.bytes(r.Padding2, sizeof r.Padding2);
    }
    w.byte(data.MusicOn);
    w.byte(data.SoundOn);
    w.byte(data.EnglishUI);
    w.byte(data.SaveLog);
    w.byte(data.AreaSize);
    w.shortString(data.PlayerName);
    w.bytes(data.Padding, sizeof data.Padding);
    return out;
}

TScoreData decodeScoreBlock(QByteArrayView bytes)
{
    Q_ASSERT(bytes.size() == ScoreBlockSize);
    TScoreData data;
    BlockReader r(bytes.data());
    for (TPlayerRecord &p : data.Players) {
        r.shortString(p.Name);
        r.bytes(p.Padding1, sizeof p.Padding1);
        p.Wins = r.int32();
        p.Losses = r.int32();
        p.Reserved = r.int32();
        p.LastGame = r.float64();
        p.LongestBattle = r.int32();
        p.ShortestBattle = r.int32();
        p.TopScore = r.int32();
        p.Free = r.byte();
        r.bytes(p.Padding2, sizeof p.Padding2);
    }
    data.MusicOn = r.byte();
    data.SoundOn = r.byte();
    data.EnglishUI = r.byte();
    data.SaveLog = r.byte();
    data.AreaSize = r.byte();
    r.shortString(data.PlayerName);
    r.bytes(data.Padding, sizeof data.Padding);
    return data;
}

bool makeScoreDataSafe(TScoreData &data)
{
    bool changed = false;
    for (TPlayerRecord &record : data.Players) {
        changed |= CutToMaxLength(record.Name);
        if (record.Free > 1) {
            record.Free = 1;
            changed = true;
        }
    }
    changed |= CutToMaxLength(data.PlayerName);
    if (data.AreaSize < MinAreaSize || data.AreaSize > MaxAreaSize) {
        data.AreaSize = MinAreaSize;
        changed = true;
    }
    return changed;
}

} // namespace tw
