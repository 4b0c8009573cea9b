// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <ostream>

// Shows bytes in test failures as text, bytes outside printable ASCII as \xNN.
inline void PrintTo(const QByteArray &bytes, std::ostream *os)
{
    *os << '"';
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7f) {
            *os << c;
        } else {
            static constexpr char hex[] = "0123456789ABCDEF";
            *os << "\\x" << hex[u >> 4] << hex[u & 0xf];
        }
    }
    *os << '"';
}
