// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "board.h"
#include "random.h"
#include "shiptypes.h"

#include <array>
#include <cstdint>
#include <functional>

namespace tw {

// Ships per ship size 1..4 (index 0 unused). Ships are counted by size, not
// by shape.
struct FleetCounts
{
    std::array<std::uint8_t, MaxShipSize + 1> bySize{};

    std::uint8_t &operator[](int size) { return bySize[static_cast<std::size_t>(size)]; }
    std::uint8_t operator[](int size) const { return bySize[static_cast<std::size_t>(size)]; }
    friend bool operator==(const FleetCounts &, const FleetCounts &) = default;
};

// Every side fields 4 ships of one cell, 3 of two, 2 of three and 1 of four.
inline constexpr FleetCounts RequiredFleet{{0, 4, 3, 2, 1}};
inline constexpr int FleetCells = 20;

// The boards and the editing state that placement works on.
struct BoardState
{
    Board ownBoard{};
    Board opponentBoard{};
    FleetCounts placedFleet{};
    std::uint8_t areaSize = 10;
    std::uint8_t pendingAreaSize = 10;
    std::uint8_t selectedShipType = 1; // 1..11
    std::int8_t rotation = 0;          // quarter turns clockwise, 0..3
};

struct ShapeOffset
{
    int ox = 0;
    int oy = 0;
};

// Turns the mask k quarter turns clockwise; k <= 0 leaves it unchanged.
void rotateMask(ShipMask &mask, int k);

// The first frame column and the first frame row that hold a ship cell.
ShapeOffset shapeOrigin(const ShipMask &mask);

// The mask of a ship type turned by `rotation`, with its origin.
struct TurnedShape
{
    ShipMask mask;
    ShapeOffset origin;
};
TurnedShape turnedShipShape(int shipType, int rotation);

bool fleetComplete(const FleetCounts &placed);

// Whether the shape, its bounding box's top-left corner on the 0-based cell
// (X, Y), lies wholly inside the area and touches no CellShip cell, not even
// at a corner.
bool canPlaceShip(const ShipMask &mask, int ox, int oy, int X, int Y, const Board &board,
                  int areaSize);

// Writes CellShip into the covered cells. Tests nothing and counts nothing.
void putShip(const ShipMask &mask, Board &board, int ox, int oy, int X, int Y);

// Sets all 225 cells to CellWater.
void clearBoard(Board &board);
// The same, and empties the placed-fleet counts.
void clearBoard(Board &board, FleetCounts &reset);

enum class PlaceResult
{
    Placed,
    SizeFull,      // this ship size already has all its ships
    fleetComplete, // nothing more to place
    Illegal,       // outside the area or touching another ship
};

// The player's hand placement of the selected ship at a cell (0-based, the
// cell under the pointer). Every result but Placed is answered by the beep;
// the board stays as it was.
PlaceResult placeSelectedShip(BoardState &state, int col, int row);

// What the generator shows as a sign of activity after each draw of a type.
struct GenerateProgress
{
    int t = 0, r = 0, ox = 0, oy = 0, X = 0, Y = 0;
};
using GenerateProgressSink = std::function<void(const GenerateProgress &)>;

// Fills the board with a complete random fleet and counts it in `placed`,
// drawing every value from `random`. Ships go down from the largest size to
// the smallest, each of a random shape of its size. A dead end, where the
// ships already down leave no legal place for the next size, is detected and
// left by starting over, so the call always ends. Returns how many times it
// started over.
int generateFleet(Board &board, FleetCounts &placed, int areaSize, Random &random,
                  const GenerateProgressSink &progress = {});

// The generator's loop on its work board, starting from whatever ships the
// board already holds; `placed` must count them (ships beyond the counts are
// obstacles). On a dead end it clears the board and starts from nothing.
int completeFleet(Board &work, FleetCounts &placed, int areaSize, Random &random,
                  const GenerateProgressSink &progress = {});

// Whether the board holds exactly a complete fleet in the placement phase:
// inside the area only CellShip and CellWater, outside it only CellWater, and
// the ship cells forming 4, 3, 2 and 1 ships of sizes 1 to 4, each one of the
// shapes of ShipTypes in some turn, none touching another even at a corner.
// A fleet received from a peer is checked with it before it is played against.
bool isLegalFleet(const Board &board, int areaSize);

// Whether this side can accept a peer's invitation for an area of size n.
struct Readiness
{
    bool gameInProgress = false;
    bool fleetComplete = false;
    bool hasPlayerName = false;
    int areaSize = 10;
    bool modalBusy = false;
};
bool readyForNetworkGame(int n, const Readiness &facts);

} // namespace tw
