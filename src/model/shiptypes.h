// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <utility>

namespace tw {

// A 4 by 4 shape frame stored column by column: byte 4*x + y holds frame
// column x, frame row y (both 0..3); 1 marks a ship cell.
using ShipMask = std::array<std::uint8_t, 16>;

constexpr std::uint8_t &maskCell(ShipMask &mask, int x, int y)
{
    return mask[static_cast<std::size_t>(4 * x + y)];
}
constexpr std::uint8_t maskCell(const ShipMask &mask, int x, int y)
{
    return mask[static_cast<std::size_t>(4 * x + y)];
}

// One ship type, 17 packed bytes: the ship's size, then its frame.
struct ShipType
{
    std::int8_t count;
    ShipMask mask;
};
static_assert(sizeof(ShipType) == 17);

inline constexpr int ShipTypeCount = 11;
inline constexpr int MaxShipSize = 4;

// Ship types are numbered 1..11; entry 0 is unused.
using ShipTypeTable = std::array<ShipType, ShipTypeCount + 1>;

// The eleven types of the game, as the table of shapes defines them.
constexpr ShipTypeTable buildShipTypes()
{
    struct Shape
    {
        std::int8_t count;
        std::array<std::pair<int, int>, MaxShipSize> cells; // (x, y) in the frame, count used
    };
    // Frame rows y = 0 / 1 / 2 / 3, '#' a ship cell:
    constexpr Shape shapes[ShipTypeCount] = {
        {1, {{{1, 1}}}},                         //  1  .... .#.. .... ....
        {2, {{{1, 1}, {2, 1}}}},                 //  2  .... .##. .... ....
        {3, {{{0, 1}, {1, 1}, {2, 1}}}},         //  3  .... ###. .... ....
        {3, {{{1, 1}, {1, 2}, {2, 1}}}},         //  4  .... .##. .#.. ....
        {4, {{{0, 1}, {1, 1}, {2, 1}, {3, 1}}}}, //  5  .... #### .... ....
        {4, {{{1, 0}, {1, 1}, {1, 2}, {2, 1}}}}, //  6  .#.. .##. .#.. ....
        {4, {{{1, 0}, {1, 1}, {1, 2}, {2, 0}}}}, //  7  .##. .#.. .#.. ....
        {4, {{{1, 0}, {2, 0}, {2, 1}, {2, 2}}}}, //  8  .##. ..#. ..#. ....
        {4, {{{1, 1}, {1, 2}, {2, 0}, {2, 1}}}}, //  9  ..#. .##. .#.. ....
        {4, {{{1, 0}, {1, 1}, {2, 1}, {2, 2}}}}, // 10  .#.. .##. ..#. ....
        {4, {{{1, 1}, {1, 2}, {2, 1}, {2, 2}}}}, // 11  .... .##. .##. ....
    };
    ShipTypeTable table{};
    for (int t = 1; t <= ShipTypeCount; ++t) {
        const Shape &shape = shapes[t - 1];
        ShipType &type = table[static_cast<std::size_t>(t)];
        type.count = shape.count;
        type.mask.fill(0);
        for (int c = 0; c < shape.count; ++c)
            maskCell(type.mask, shape.cells[static_cast<std::size_t>(c)].first,
                     shape.cells[static_cast<std::size_t>(c)].second) = 1;
    }
    return table;
}

// Whether every type's mask holds as many cells as its count says.
constexpr bool shipTypesConsistent(const ShipTypeTable &table)
{
    for (int t = 1; t <= ShipTypeCount; ++t) {
        const ShipType &type = table[static_cast<std::size_t>(t)];
        int cells = 0;
        for (std::uint8_t b : type.mask)
            cells += b == 1 ? 1 : 0;
        if (cells != type.count)
            return false;
    }
    return true;
}

// The table of the game, fixed when the program is built.
inline constexpr ShipTypeTable ShipTypes = buildShipTypes();
static_assert(shipTypesConsistent(ShipTypes), "a ship type's mask disagrees with its size");

} // namespace tw
