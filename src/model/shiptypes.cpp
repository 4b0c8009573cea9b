// SPDX-License-Identifier: GPL-3.0-or-later
#include "shiptypes.h"

namespace tw {

int checkShipTypes(const ShipTypeTable &table, const ShipTypeErrorSink &report)
{
    int bad = 0;
    for (int t = 1; t <= ShipTypeCount; ++t) {
        const ShipType &type = table[static_cast<std::size_t>(t)];
        int cells = 0;
        for (std::uint8_t b : type.mask)
            cells += b == 1 ? 1 : 0;
        if (cells != type.count) {
            ++bad;
            // The check always speaks Russian: it is addressed to the developers.
            report("Ошибка в описании корабля номер " + std::to_string(t), "Программная ошибка!");
        }
    }
    return bad;
}

} // namespace tw
