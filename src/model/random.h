// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <random>

namespace tw {

// The game's one pseudo-random generator. Seeded from the clock at start-up;
// tests seed it with a fixed value so that every draw is repeatable.
class Random
{
public:
    Random() = default;
    explicit Random(std::uint32_t seed) : m_engine(seed) {}

    void seed(std::uint32_t seed) { m_engine.seed(seed); }
    void seedFromClock();

    // A uniform integer in 0..n-1. Precondition: n >= 1.
    int randInt(int n);

private:
    std::mt19937 m_engine{5489u};
};

} // namespace tw
