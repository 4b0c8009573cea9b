// SPDX-License-Identifier: GPL-3.0-or-later
#include "digits.h"

#include <cstdint>
#include <cstdlib>

namespace tw {

void splitDigits(int value, int *digits, int last)
{
    if (last < 1)
        return;
    for (int j = 0; j <= last; ++j)
        digits[j] = 0;

    // Unsigned 64-bit arithmetic keeps |INT_MIN| and the powers of ten exact;
    // from 10^10 on every int fits, so the power stops growing there.
    std::uint64_t v = static_cast<std::uint64_t>(std::llabs(static_cast<long long>(value)));
    constexpr std::uint64_t beyondInt = 10'000'000'000ULL;
    std::uint64_t limit = 1;
    for (int j = 0; j <= last && limit < beyondInt; ++j)
        limit *= 10;
    if (v >= limit)
        return;

    for (int j = 0; j <= last; ++j) {
        std::uint64_t d = 1;
        for (int k = 0; k < last - j && d < beyondInt; ++k)
            d *= 10;
        const std::uint64_t digit = v / d;
        digits[j] = static_cast<int>(digit);
        v -= digit * d;
    }
}

} // namespace tw
