// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/cp1251.h"
#include "util/digits.h"
#include "util/duration.h"

#include <array>
#include <climits>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

[[maybe_unused]] static void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace tw {
namespace {

TEST(Cp1251, EveryByteSurvivesTheRoundTrip)
{
    QByteArray all(256, Qt::Uninitialized);
    for (int i = 0; i < 256; ++i)
        all[i] = static_cast<char>(i);
    const QString text = fromCp1251(all);
    ASSERT_EQ(text.size(), 256);
    for (const QChar c : text)
        EXPECT_TRUE(isCp1251Char(c)) << int{c.unicode()};
    EXPECT_EQ(toCp1251(text), all);
}

TEST(Cp1251, CyrillicEncodesToItsCodePage)
{
    EXPECT_EQ(toCp1251(u"Привет Ёё №").toHex(' '), "cf f0 e8 e2 e5 f2 20 a8 b8 20 b9");
    EXPECT_EQ(fromCp1251(QByteArray::fromHex("cf f0 e8 e2 e5 f2 88")), QStringLiteral("Привет€"));
}

TEST(Cp1251, CharactersOutsideThePageAreDropped)
{
    const QString mixed = QStringLiteral("Игрок 😀 ä中\uFFFD1");
    EXPECT_EQ(keepCp1251(mixed), QStringLiteral("Игрок  1"));
    EXPECT_EQ(toCp1251(mixed), toCp1251(u"Игрок  1"));
    EXPECT_FALSE(isCp1251Char(QChar(0xD83D)));
    EXPECT_FALSE(isCp1251Char(QChar(u'ä')));
    EXPECT_TRUE(isCp1251Char(QChar(u'|')));
}

TEST(formatDuration, Examples)
{
    const std::vector<std::pair<quint32, const char *>> cases = {
        {0, "00:00:00"},
        {59, "00:00:59"},
        {3725, "01:02:05"},
        {86399, "23:59:59"},
        {86400, "1d 00:00:00"},
        {90061, "1d 01:01:01"},
        {2147483647, "24855d 03:14:07"},
        {4294967295u, "49710d 06:28:15"},
    };
    for (const auto &[seconds, text] : cases)
        EXPECT_EQ(formatDuration(seconds), QLatin1String(text)) << seconds;
}

TEST(splitDigits, Examples)
{
    struct Case
    {
        int value;
        int last;
        std::vector<int> digits;
    };
    const std::vector<Case> cases = {
        {42, 3, {0, 0, 4, 2}},      {9999, 3, {9, 9, 9, 9}},
        {10000, 3, {0, 0, 0, 0}},   {-42, 3, {0, 0, 4, 2}},
        {INT_MIN, 3, {0, 0, 0, 0}}, {INT_MIN, 9, {2, 1, 4, 7, 4, 8, 3, 6, 4, 8}},
        {123, 1, {0, 0}},           {5, 11, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5}},
    };
    for (const Case &c : cases) {
        std::array<int, 16> digits;
        digits.fill(-1);
        splitDigits(c.value, digits.data(), c.last);
        EXPECT_EQ(std::vector<int>(digits.begin(), digits.begin() + c.last + 1), c.digits)
            << c.value << " to " << c.last + 1 << " digits";
        EXPECT_EQ(digits[static_cast<std::size_t>(c.last + 1)], -1) << "wrote past the last digit";
    }
}

TEST(splitDigits, LastBelowOneDoesNothing)
{
    std::array<int, 2> digits = {-1, -1};
    splitDigits(7, digits.data(), 0);
    EXPECT_EQ(digits[0], -1);
}

} // namespace
} // namespace tw
