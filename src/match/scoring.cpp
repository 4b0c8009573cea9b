// SPDX-License-Identifier: GPL-3.0-or-later
#include "scoring.h"

#include <algorithm>
#include <cmath>

namespace tw {

namespace {

// The integer nearest to v, a half going to the even neighbour.
int nearest(double v)
{
    return static_cast<int>(std::nearbyint(v));
}

// p / d to the nearest integer, a half going to the even neighbour, exactly.
// Precondition: d > 0.
int nearestRatio(long long p, long long d)
{
    long long q = p / d;
    long long r = p % d;
    if (r < 0) {
        --q;
        r += d;
    }
    if (2 * r > d || (2 * r == d && q % 2 != 0))
        ++q;
    return static_cast<int>(q);
}

} // namespace

int hitPoints(int misses, int areaSize)
{
    const double k = 2.0 * areaSize / 15.0;
    return std::max(1, nearest((100 - misses) * k));
}

int destroyPoints(int misses, int areaSize)
{
    const double k = 2.0 * areaSize / 15.0;
    return std::max(1, nearest((250 - misses) * k));
}

int missPoints(int playerTime, int areaSize)
{
    // -(playerTime div 2) / k with k = 2 * areaSize / 15. Its exact halves
    // must go to the even side; dividing by an inexact k in floating point
    // can push one across (area 11, time 154: -52.5 came out as -53).
    return nearestRatio(-15LL * (playerTime / 2), 2LL * areaSize);
}

} // namespace tw
