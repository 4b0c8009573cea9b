// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pixelart.h"

namespace tw::images {

// The board cells in the order of their picture index: 0 black, 1 boat on
// water, 2 closed tile, 3 gun sight, 4 hit boat, 5 own boat under the tile.
std::vector<Picture> cellPictures();

// Column numbers 1..15 and row letters A..O of the board frame.
std::vector<Picture> frameLabelPictures();

// Seven-segment digits 0..9 of the score counter.
std::vector<Picture> digitPictures();

// The left and right triangles of the small flat arrow buttons.
std::vector<Picture> arrowPictures();

} // namespace tw::images
