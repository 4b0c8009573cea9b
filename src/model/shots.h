// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "board.h"

namespace tw {

// A destroyed ship is also a hit; callers report only the stronger word.
enum class ShotOutcome
{
    Miss,
    Hit,
    Destroyed
};

// Turns a placement board into a battle board: ship cells of the area become
// CellIntact, every other area cell that is not CellIntact becomes CellWater.
void armBoard(Board &board, int areaSize);

// The shot step at the 1-based cell (x, y). Precondition: the cell holds
// CellWater or CellIntact (callers refuse cells that were shot before).
ShotOutcome fireAt(Board &board, int x, int y, int areaSize);

// The second half of fireAt, called right after the shot cell became
// CellShip or CellMiss: explores the ship's cells from (x, y) and rewrites
// them (CellHit while any cell is unhit, CellShip once all are). Returns true
// when the ship has just been destroyed.
bool resolveShipAt(Board &board, int x, int y, int areaSize);

// True when no cell of the area holds CellIntact.
bool fleetDestroyed(const Board &board, int areaSize);

// Every CellIntact or CellHit cell of the area becomes CellShip.
void revealShips(Board &board, int areaSize);

} // namespace tw
