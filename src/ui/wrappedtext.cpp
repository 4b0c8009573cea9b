// SPDX-License-Identifier: GPL-3.0-or-later
#include "wrappedtext.h"

#include <QFontMetrics>
#include <QPainter>
#include <QScrollBar>
#include <QWidget>

namespace tw {

namespace {

bool isSeparator(QChar c)
{
    return c == u' ' || c == u'|';
}

} // namespace

WrappedLines layoutWrappedText(const QString &text, int boxWidth,
                               const std::function<int(const QString &)> &measure)
{
    WrappedLines result;
    if (text.size() < 2 || boxWidth < 16)
        return result;
    const int room = boxWidth - 4;
    QString line;
    const auto endLine = [&result, &line] {
        if (result.lines.size() == MaxWrappedLines)
            return false;
        result.lines.append(line);
        line.clear();
        return true;
    };

    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype end = pos;
        while (end < text.size() && !isSeparator(text[end]))
            ++end;
        const QString word = text.mid(pos, end - pos);
        if (measure(line + word) > room) {
            // The word starts the next line and is read again there. A word
            // that fits no line keeps ending empty lines until the limit.
            if (!endLine())
                return {};
            continue;
        }
        line += word;
        line += u' ';
        pos = end;
        if (pos < text.size() && text[pos++] == u'|' && !endLine())
            return {};
    }
    if (!line.isEmpty() && !endLine())
        return {};
    result.fits = true;
    return result;
}

int drawWrappedText(QWidget *paintBox, QPainter *painter, const QString &text, int fontHeight,
                    const QColor &color, QFont::Weight weight, const QString &fontName,
                    bool autoHeight, bool centreVertically)
{
    if (text.size() < 2 || paintBox->width() < 16)
        return -1;
    QFont font(fontName);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(fontHeight);
    font.setWeight(weight);
    painter->setFont(font);
    painter->setPen(color);
    const QFontMetrics metrics = painter->fontMetrics();
    const auto measure = [&metrics](const QString &s) { return metrics.horizontalAdvance(s); };
    const int lineHeight =
        metrics.size(Qt::TextSingleLine, QStringLiteral("AaBbCcXxYyZz")).height();

    const WrappedLines layout = layoutWrappedText(text, paintBox->width(), measure);
    if (!layout.fits)
        return -1;
    const int count = static_cast<int>(layout.lines.size());
    const int totalHeight = lineHeight * count;
    if (autoHeight)
        paintBox->resize(paintBox->width(), totalHeight);
    int top = 0;
    if (centreVertically && !autoHeight && paintBox->height() - 4 >= totalHeight)
        top = (paintBox->height() - totalHeight) / 2;
    for (const QString &line : layout.lines) {
        const int left = (paintBox->width() - measure(line)) / 2;
        painter->drawText(left, top + metrics.ascent(), line);
        top += lineHeight;
    }
    return count;
}

void scrollByKey(QScrollBar *bar, int key)
{
    const int step = bar->singleStep();
    switch (key) {
    case Qt::Key_PageUp:
        bar->setValue(bar->value() - 4 * step);
        break;
    case Qt::Key_PageDown:
        bar->setValue(bar->value() + 4 * step);
        break;
    case Qt::Key_End:
        bar->setValue(bar->maximum());
        break;
    case Qt::Key_Home:
        bar->setValue(0);
        break;
    case Qt::Key_Up:
        bar->setValue(bar->value() - step);
        break;
    case Qt::Key_Down:
        bar->setValue(bar->value() + step);
        break;
    default:
        break;
    }
}

} // namespace tw
