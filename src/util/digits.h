// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tw {

// Fills digits[0..last] with the decimal digits of |value|, the most
// significant first and zero-padded. A value with more than last + 1 digits
// leaves every digit 0. A last below 1 does nothing.
// Precondition: digits holds at least last + 1 elements.
void splitDigits(int value, int *digits, int last);

} // namespace tw
