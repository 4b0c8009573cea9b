// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pixelart.h"

#include <QImage>

namespace tw::images {

// The about box's title picture, 400x296: a night sea under the moon with a
// sailing ship and a distant lighthouse. The upper left (4,4 to 289,225)
// stays dark and calm because the about text is written over it.
QImage aboutPicture();

// The window icon, drawn at 64x64 logical pixels.
Picture appIcon();

} // namespace tw::images
