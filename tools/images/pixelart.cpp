// SPDX-License-Identifier: GPL-3.0-or-later
#include "pixelart.h"

#include <QPainter>

namespace tw::images {

void fillPixel(QPainter &painter, int x, int y, const QColor &color)
{
    painter.fillRect(QRect(x, y, 1, 1), color);
}

void ditherBlack(QPainter &painter, QSize size, const std::function<bool(int x, int y)> &inRegion)
{
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            if ((x + y) % 2 == 1 && inRegion(x, y))
                fillPixel(painter, x, y, Qt::black);
        }
    }
}

double PictureRandom::next()
{
    // SplitMix64.
    m_state += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = m_state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * 0x1.0p-53;
}

} // namespace tw::images
