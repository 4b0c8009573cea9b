#include "shiptypes.h"

#include <initializer_list>
#include <utility>

namespace tw {

ShipTypeTable ShipTypes = buildShipTypes();

ShipTypeTable buildShipTypes()
{
    struct Shape
    {
        std::int8_t count;
        std::initializer_list<std::pair<int, int>> cells; // (x, y) in the frame
    };
    // Frame rows y = 0 / 1 / 2 / 3, '#' a ship cell:
    static const Shape shapes[ShipTypeCount] = {
        {1, {{1, 1}}},                         //  1  .... .#.. .... ....
        {2, {{1, 1}, {2, 1}}},                 //  2  .... .##. .... ....
        {3, {{0, 1}, {1, 1}, {2, 1}}},         //  3  .... ###. .... ....
        {3, {{1, 1}, {1, 2}, {2, 1}}},         //  4  .... .##. .#.. ....
        {4, {{0, 1}, {1, 1}, {2, 1}, {3, 1}}}, //  5  .... #### .... ....
        {4, {{1, 0}, {1, 1}, {1, 2}, {2, 1}}}, //  6  .#.. .##. .#.. ....
        {4, {{1, 0}, {1, 1}, {1, 2}, {2, 0}}}, //  7  .##. .#.. .#.. ....
        {4, {{1, 0}, {2, 0}, {2, 1}, {2, 2}}}, //  8  .##. ..#. ..#. ....
        {4, {{1, 1}, {1, 2}, {2, 0}, {2, 1}}}, //  9  ..#. .##. .#.. ....
        {4, {{1, 0}, {1, 1}, {2, 1}, {2, 2}}}, // 10  .#.. .##. ..#. ....
        {4, {{1, 1}, {1, 2}, {2, 1}, {2, 2}}}, // 11  .... .##. .##. ....
    };
    ShipTypeTable table{};
    for (int t = 1; t <= ShipTypeCount; ++t) {
        const Shape &shape = shapes[t - 1];
        ShipType &type = table[static_cast<std::size_t>(t)];
        type.count = shape.count;
        type.mask.fill(0);
        for (auto [x, y] : shape.cells)
            maskCell(type.mask, x, y) = 1;
    }
    return table;
}

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

void initShipTypes(const ShipTypeErrorSink &report)
{
    ShipTypes = buildShipTypes();
    checkShipTypes(ShipTypes, report);
}

} // namespace tw
