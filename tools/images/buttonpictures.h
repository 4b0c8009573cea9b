// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pixelart.h"

namespace tw::images {

// The 16x16 pictures of the main window's buttons: Start, Pause, Abort,
// Player, Scores and About.
std::vector<Picture> buttonPictures();

} // namespace tw::images
