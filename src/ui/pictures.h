// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QVector>

namespace tw {

// The picture lists of the main window, loaded once from the resources.
// Each picture carries a 2x version for high-density screens.
struct Pictures
{
    // Cell pictures, 17 by 17, in this order:
    enum Cell
    {
        Black = 0,
        Boat = 1,
        Tile = 2,
        Sight = 3,
        HitBoat = 4,
        CoveredBoat = 5
    };

    QVector<QPixmap> cellPictures;  // cells
    QVector<QPixmap> columnNumbers; // column numbers 1..15
    QVector<QPixmap> rowLetters;    // row letters A..O
    QVector<QPixmap> digitPictures; // score digits 0..9, 16 by 21
    QPixmap arrowLeft;
    QPixmap arrowRight;
    QPixmap start, pause, abort, player, scores, about;

    static constexpr int W = 17; // cell width and height: all board arithmetic uses them
    static constexpr int H = 17;
    static constexpr int DigitW = 16;
    static constexpr int DigitH = 21;

    static const Pictures &get();
};

} // namespace tw
