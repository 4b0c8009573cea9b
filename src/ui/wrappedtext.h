// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <functional>

class QPainter;
class QScrollBar;
class QWidget;

namespace tw {

inline constexpr int MaxWrappedLines = 1024;

// The lines of a wrapped text, each ending with the space that follows its
// last word. fits is false when the text cannot be laid out at all.
struct WrappedLines
{
    bool fits = false;
    QStringList lines;
};

// Breaks text into lines for a box boxWidth pixels wide, measure giving the
// width of a text. A word is a run of characters up to the next space, "|"
// or the end. Words go on the current line, each followed by one space,
// while the line with the word is at most boxWidth - 4 wide; a "|" ends the
// line after its word, so "||" gives a line holding one space. A line left
// open at the end of the text is kept.
// Does not fit: a text of fewer than 2 characters, a box narrower than 16
// pixels, more than MaxWrappedLines lines, and so any word wider than the
// box (it would start new lines for ever).
WrappedLines layoutWrappedText(const QString &text, int boxWidth,
                               const std::function<int(const QString &)> &measure);

// Draws text wrapped and centred line by line into paintBox with painter,
// in the font fontName (sans-serif where the family is missing) of
// fontHeight pixels. The line height comes from a fixed sample text, not
// from the text drawn. With autoHeight the paint box takes the height of
// the text; with centreVertically (and without autoHeight) a text that
// leaves at least 4 pixels free is centred vertically, otherwise it starts
// at the top. Returns the number of lines drawn, or -1 with nothing drawn
// when the text does not fit (see layoutWrappedText).
int drawWrappedText(QWidget *paintBox, QPainter *painter, const QString &text, int fontHeight,
                    const QColor &color, QFont::Weight weight, const QString &fontName,
                    bool autoHeight, bool centreVertically);

// Keyboard scrolling: Up and Down move by the bar's single step, Page Up
// and Page Down by four of them, Home and End go to the ends; any other key
// leaves the bar alone. The bar keeps the position within its range.
void scrollByKey(QScrollBar *bar, int key);

} // namespace tw
