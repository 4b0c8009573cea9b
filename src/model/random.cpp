// SPDX-License-Identifier: GPL-3.0-or-later
#include "random.h"

#include <cassert>
#include <chrono>

namespace tw {

void Random::seedFromClock()
{
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count() ^
                       std::chrono::system_clock::now().time_since_epoch().count();
    m_engine.seed(static_cast<std::uint32_t>(ticks ^ (ticks >> 32)));
}

int Random::randInt(int n)
{
    assert(n >= 1);
    return std::uniform_int_distribution<int>(0, n - 1)(m_engine);
}

} // namespace tw
