// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wrappedtext.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

[[maybe_unused]] static void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace tw {
namespace {

// Every character is 10 pixels wide, so a box 104 wide takes 10 of them.
int tenPerCharacter(const QString &text)
{
    return 10 * static_cast<int>(text.size());
}

struct LayoutCase
{
    const char *name; // of the test case
    QString text;
    int boxWidth;
    bool fits;
    QStringList lines;
};

void PrintTo(const LayoutCase &c, std::ostream *os)
{
    *os << c.name;
}

class LayoutWrappedTextTest : public testing::TestWithParam<LayoutCase>
{};

TEST_P(LayoutWrappedTextTest, lines)
{
    const LayoutCase &c = GetParam();
    const WrappedLines result = layoutWrappedText(c.text, c.boxWidth, tenPerCharacter);
    EXPECT_EQ(result.fits, c.fits);
    EXPECT_EQ(result.lines, c.lines);
}

QString repeated(const char *piece, int times)
{
    return QString::fromUtf8(piece).repeated(times);
}

QStringList lines(std::initializer_list<const char *> lines)
{
    QStringList list;
    for (const char *line : lines)
        list.append(QString::fromUtf8(line));
    return list;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LayoutWrappedTextTest,
    testing::Values(
        LayoutCase{"OneCharacter", QStringLiteral("a"), 104, false, {}},
        LayoutCase{"Empty", QString(), 104, false, {}},
        LayoutCase{"BoxNarrowerThan16", QStringLiteral("a|"), 15, false, {}},
        LayoutCase{"BoxOf16", QStringLiteral("a|"), 16, true, lines({"a "})},
        LayoutCase{"NextWordWraps", QStringLiteral("one two three|"), 104, true,
                   lines({"one two ", "three "})},
        // The line with the word may fill the room (box width - 4) exactly.
        LayoutCase{"WordFillsTheRoom", QStringLiteral("aaaa bbbbb|"), 104, true,
                   lines({"aaaa bbbbb "})},
        LayoutCase{"OneCharacterMoreWraps", QStringLiteral("aaaa bbbbbb|"), 104, true,
                   lines({"aaaa ", "bbbbbb "})},
        LayoutCase{"TwoBarsMakeAnEmptyLine", QStringLiteral("a||b|"), 104, true,
                   lines({"a ", " ", "b "})},
        LayoutCase{"StatisticsFrame", QStringLiteral("|Tarnwake|||"), 104, true,
                   lines({" ", "Tarnwake ", " ", " "})},
        LayoutCase{"TwoSpacesKeepBoth", QStringLiteral("a  b|"), 104, true, lines({"a  b "})},
        LayoutCase{"LeadingSpace", QStringLiteral(" a|"), 104, true, lines({" a "})},
        LayoutCase{"WordAsWideAsTheRoom", QStringLiteral("abcdefghij|"), 104, true,
                   lines({"abcdefghij "})},
        LayoutCase{"WordWiderThanTheBox", QStringLiteral("abcdefghijk|"), 104, false, {}},
        LayoutCase{"WideWordAfterGoodLines", QStringLiteral("ok|abcdefghijklmno|"), 104, false, {}},
        LayoutCase{"LastLineWithoutBarKept", QStringLiteral("ab cd"), 104, true, lines({"ab cd "})},
        LayoutCase{"Lines1024", repeated("|", 1024), 104, true,
                   QStringList(1024, QStringLiteral(" "))},
        LayoutCase{"Lines1025", repeated("x|", 1025), 104, false, {}}),
    [](const testing::TestParamInfo<LayoutCase> &test) { return std::string(test.param.name); });

TEST(layoutWrappedText, MeasuresTheLineWithItsTrailingSpace)
{
    // A line ends with a space; whether the next word fits is measured with
    // that space, not with another one.
    QStringList measured;
    layoutWrappedText(QStringLiteral("ab cd|"), 104, [&measured](const QString &s) {
        measured.append(s);
        return tenPerCharacter(s);
    });
    EXPECT_EQ(measured, (QStringList{QStringLiteral("ab"), QStringLiteral("ab cd")}));
}

} // namespace
} // namespace tw
