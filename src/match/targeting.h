// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/board.h"
#include "model/random.h"

namespace tw {

// How the computer picks its target on the player's board. It keeps no
// memory between shots: everything it knows is on the board (CellHit: a
// wounded ship, CellShip: a sunk one, CellMiss: water shot at) and in the
// cells it refused since its last shot.
class ComputerPlayer
{
public:
    // ownBoard is the player's battle board; rejected marks with CellMiss the
    // targets refused since the last shot. Both must outlive this object.
    ComputerPlayer(const Board &ownBoard, const Board &rejected, int areaSize, Random &random);

    // The next 1-based target. It may be a cell the computer must refuse
    // (see mayShootAt); the caller marks it rejected and asks again.
    void chooseTarget(int &x, int &y);

    // False for a cell shot before or one touching a sunk ship.
    bool mayShootAt(int x, int y) const;

private:
    bool clearOfWrecks(int x, int y) const;
    bool pickWoundedCell(int &x, int &y);
    bool uniqueNeighbourTarget(int &x, int &y) const;
    bool uniqueOpenCell(int &x, int &y) const;

    const Board &m_ownBoard;
    const Board &m_rejected;
    int m_areaSize;
    Random &m_random;
};

} // namespace tw
