// SPDX-License-Identifier: GPL-3.0-or-later
#include "cp1251.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <array>

namespace tw {
namespace {

constexpr auto CodecName = "windows-1251";

// The characters of bytes 0x80..0xFF, sorted, taken from the codec itself so
// that the filter and the encoder can never disagree.
const std::array<char16_t, 128> &upperHalfSorted()
{
    static const std::array<char16_t, 128> table = [] {
        QByteArray bytes(128, '\0');
        for (int i = 0; i < 128; ++i)
            bytes[i] = static_cast<char>(0x80 + i);
        QStringDecoder decoder(CodecName);
        Q_ASSERT(decoder.isValid());
        const QString text = decoder.decode(bytes);
        std::array<char16_t, 128> sorted{};
        for (int i = 0; i < 128 && i < text.size(); ++i)
            sorted[static_cast<std::size_t>(i)] = text[i].unicode();
        std::sort(sorted.begin(), sorted.end());
        return sorted;
    }();
    return table;
}

} // namespace

bool isCp1251Char(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return true;
    if (c.isSurrogate() || u == QChar::ReplacementCharacter)
        return false;
    const auto &table = upperHalfSorted();
    return std::binary_search(table.begin(), table.end(), u);
}

QString keepCp1251(QString text)
{
    text.removeIf([](QChar c) { return !isCp1251Char(c); });
    return text;
}

QByteArray toCp1251(QStringView text)
{
    // Filtering first keeps the encoder from substituting its own
    // replacement byte for a character it cannot hold.
    const QString held = keepCp1251(text.toString());
    QStringEncoder encoder(CodecName);
    return encoder.encode(held);
}

QString fromCp1251(QByteArrayView bytes)
{
    QStringDecoder decoder(CodecName);
    return decoder.decode(bytes);
}

} // namespace tw
