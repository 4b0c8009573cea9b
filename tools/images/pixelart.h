// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QSize>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class QPainter;

namespace tw::images {

// Every picture is drawn in logical pixels. The painter's device may have a
// device pixel ratio above 1; the same drawing then yields the sharper @2x
// picture, so both scales share one description.
using PaintFunction = std::function<void(QPainter &)>;

struct Picture
{
    QString name; // file name without extension
    QSize size;   // logical size in pixels
    PaintFunction paint;
};

// Fills one logical pixel (a 2x2 block at double scale), the unit of the
// pixel-art pictures.
void fillPixel(QPainter &painter, int x, int y, const QColor &color);

// Darkens a region with black on every other logical pixel, the checkered
// shading of palette-limited tiles. `inRegion` picks the pixels of the region.
void ditherBlack(QPainter &painter, QSize size, const std::function<bool(int x, int y)> &inRegion);

// A small deterministic generator, so that every run writes the same files on
// every platform (the standard distributions differ between libraries).
class PictureRandom
{
public:
    explicit PictureRandom(std::uint32_t seed) : m_state(seed) {}

    // A number in [0, 1).
    double next();
    // A number in [low, high).
    double between(double low, double high) { return low + (high - low) * next(); }

private:
    std::uint64_t m_state;
};

} // namespace tw::images
