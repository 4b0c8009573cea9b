#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace tw {

// A 4 by 4 shape frame stored column by column: byte 4*x + y holds frame
// column x, frame row y (both 0..3); 1 marks a ship cell.
using TMask = std::array<std::uint8_t, 16>;

inline std::uint8_t &MaskCell(TMask &mask, int x, int y)
{
    return mask[static_cast<std::size_t>(4 * x + y)];
}
inline std::uint8_t MaskCell(const TMask &mask, int x, int y)
{
    return mask[static_cast<std::size_t>(4 * x + y)];
}

// One ship type, 17 packed bytes: the ship's size, then its frame.
struct TShipType
{
    std::int8_t count;
    TMask mask;
};
static_assert(sizeof(TShipType) == 17);

inline constexpr int ShipTypeCount = 11;
inline constexpr int MaxShipSize = 4;

// Ship types are numbered 1..11; entry 0 is unused.
using TShipTypeTable = std::array<TShipType, ShipTypeCount + 1>;

// The table built at start-up and never changed afterwards.
extern TShipTypeTable ShipTypes;

// Receives the start-up check's complaint about a type whose mask does not
// hold as many cells as its count says.
using ShipTypeErrorSink = std::function<void(const std::string &text, const std::string &caption)>;

// The eleven types of the game, as the table of shapes defines them.
TShipTypeTable BuildShipTypes();

// Reports every type whose mask disagrees with its count, once per bad type,
// and carries on. Returns the number of bad types.
int CheckShipTypes(const TShipTypeTable &table, const ShipTypeErrorSink &report);

// Fills ShipTypes and checks it.
void InitShipTypes(const ShipTypeErrorSink &report);

} // namespace tw
