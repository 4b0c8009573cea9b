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
            // The check always speaks Russian, whatever the interface language:
            // it is addressed to the developers. ("Error in the description of
            // ship number N", "Program error!")
            report("\u041e\u0448\u0438\u0431\u043a\u0430 \u0432 "
                   "\u043e\u043f\u0438\u0441\u0430\u043d\u0438\u0438 "
                   "\u043a\u043e\u0440\u0430\u0431\u043b\u044f \u043d\u043e\u043c\u0435\u0440 " +
                       std::to_string(t),
                   "\u041f\u0440\u043e\u0433\u0440\u0430\u043c\u043c\u043d\u0430\u044f "
                   "\u043e\u0448\u0438\u0431\u043a\u0430!");
        }
    }
    return bad;
}

} // namespace tw
