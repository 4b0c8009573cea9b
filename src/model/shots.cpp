// SPDX-License-Identifier: GPL-3.0-or-later
#include "shots.h"

#include <array>

namespace tw {

void armBoard(Board &board, int areaSize)
{
    for (int x = 1; x <= areaSize; ++x)
        for (int y = 1; y <= areaSize; ++y) {
            std::uint8_t &cell = board.at(x, y);
            if (cell == CellShip)
                cell = CellIntact;
            else if (cell != CellIntact)
                cell = CellWater;
        }
}

ShotOutcome fireAt(Board &board, int x, int y, int areaSize)
{
    ShotOutcome outcome = ShotOutcome::Miss;
    std::uint8_t &cell = board.at(x, y);
    if (cell == CellIntact) {
        cell = CellShip;
        outcome = ShotOutcome::Hit;
    } else {
        cell = CellMiss;
    }
    if (resolveShipAt(board, x, y, areaSize))
        outcome = ShotOutcome::Destroyed;
    return outcome;
}

bool resolveShipAt(Board &board, int x, int y, int areaSize)
{
    if (board.at(x, y) == CellMiss)
        return false;

    // A ship has at most 4 cells and ships never touch, not even at a corner,
    // so exploring corner and side neighbours collects exactly this ship.
    struct Cell
    {
        int x = -1, y = -1;
        bool filled() const { return x != -1; }
        bool operator==(const Cell &) const = default;
    };
    std::array<Cell, 4> list{};
    list[0] = {x, y};
    bool intactFound = false;

    for (std::size_t k = 0; k < list.size() && list[k].filled(); ++k) {
        int x1 = list[k].x - 1, y1 = list[k].y - 1, x2 = list[k].x + 1, y2 = list[k].y + 1;
        clampToArea(x1, y1, x2, y2, areaSize);
        for (int j = y1; j <= y2; ++j) {
            for (int i = x1; i <= x2; ++i) {
                const std::uint8_t code = board.at(i, j);
                if (code == CellIntact)
                    intactFound = true;
                if ((code != CellShip && code != CellHit && code != CellIntact) || k >= 3)
                    continue;
                const Cell cell{i, j};
                bool listed = false;
                for (const Cell &c : list)
                    listed = listed || c == cell;
                if (listed)
                    continue;
                for (std::size_t slot = k + 1; slot < list.size(); ++slot)
                    if (!list[slot].filled()) {
                        list[slot] = cell;
                        break;
                    }
            }
        }
    }

    for (const Cell &c : list) {
        if (!c.filled())
            continue;
        std::uint8_t &code = board.at(c.x, c.y);
        if (!intactFound)
            code = CellShip;
        else if (code != CellIntact)
            code = CellHit;
    }
    return !intactFound;
}

bool fleetDestroyed(const Board &board, int areaSize)
{
    for (int x = 1; x <= areaSize; ++x)
        for (int y = 1; y <= areaSize; ++y)
            if (board.at(x, y) == CellIntact)
                return false;
    return true;
}

void revealShips(Board &board, int areaSize)
{
    for (int x = 1; x <= areaSize; ++x)
        for (int y = 1; y <= areaSize; ++y) {
            std::uint8_t &cell = board.at(x, y);
            if (cell == CellIntact || cell == CellHit)
                cell = CellShip;
        }
}

} // namespace tw
