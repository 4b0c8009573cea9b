// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tw {

// The points of one shot of the player. A hit and a destroyed ship earn less
// with every miss before; a miss costs more the longer the player has been
// on the move. The factor 2 * areaSize / 15 makes the largest area pay
// double. Precondition: areaSize > 0.
int hitPoints(int misses, int areaSize);
int destroyPoints(int misses, int areaSize);
int missPoints(int playerTime, int areaSize);

} // namespace tw
