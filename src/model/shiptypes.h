#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace tw {

// A 4 by 4 shape frame stored column by column: byte 4*x + y holds frame
// column x, frame row y (both 0..3); 1 marks a ship cell.
using ShipMask = std::array<std::uint8_t, 16>;

inline std::uint8_t &maskCell(ShipMask &mask, int x, int y)
{
    return mask[static_cast<std::size_t>(4 * x + y)];
}
inline std::uint8_t maskCell(const ShipMask &mask, int x, int y)
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

// The table built at start-up and never changed afterwards.
extern ShipTypeTable ShipTypes;

// Receives the start-up check's complaint about a type whose mask does not
// hold as many cells as its count says.
using ShipTypeErrorSink = std::function<void(const std::string &text, const std::string &caption)>;

// The eleven types of the game, as the table of shapes defines them.
ShipTypeTable buildShipTypes();

// Reports every type whose mask disagrees with its count, once per bad type,
// and carries on. Returns the number of bad types.
int checkShipTypes(const ShipTypeTable &table, const ShipTypeErrorSink &report);

// Fills ShipTypes and checks it.
void initShipTypes(const ShipTypeErrorSink &report);

} // namespace tw
