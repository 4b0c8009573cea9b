// SPDX-License-Identifier: GPL-3.0-or-later
#include "placement.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace tw {

void rotateMask(ShipMask &mask, int k)
{
    for (int turn = 0; turn < k; ++turn) {
        ShipMask turned{};
        for (int x = 0; x < 4; ++x)
            for (int y = 0; y < 4; ++y)
                maskCell(turned, 3 - y, x) = maskCell(mask, x, y);
        mask = turned;
    }
}

ShapeOffset shapeOrigin(const ShipMask &mask)
{
    ShapeOffset origin{0, 0};
    auto columnUsed = [&](int x) {
        for (int y = 0; y < 4; ++y)
            if (maskCell(mask, x, y) == 1)
                return true;
        return false;
    };
    auto rowUsed = [&](int y) {
        for (int x = 0; x < 4; ++x)
            if (maskCell(mask, x, y) == 1)
                return true;
        return false;
    };
    for (int x = 0; x < 4; ++x)
        if (columnUsed(x)) {
            origin.ox = x;
            break;
        }
    for (int y = 0; y < 4; ++y)
        if (rowUsed(y)) {
            origin.oy = y;
            break;
        }
    return origin;
}

TurnedShape turnedShipShape(int shipType, int rotation)
{
    TurnedShape shape{ShipTypes[static_cast<std::size_t>(shipType)].mask, {}};
    rotateMask(shape.mask, rotation);
    shape.origin = shapeOrigin(shape.mask);
    return shape;
}

bool fleetComplete(const FleetCounts &placed)
{
    for (int s = 1; s <= MaxShipSize; ++s)
        if (placed[s] < RequiredFleet[s])
            return false;
    return true;
}

bool canPlaceShip(const ShipMask &mask, int ox, int oy, int X, int Y, const Board &board,
                  int areaSize)
{
    bool legal = true;
    for (int x = 0; x < 4; ++x) {
        for (int y = 0; y < 4; ++y) {
            if (maskCell(mask, x, y) != 1)
                continue;
            const int cx = X + x - ox;
            const int cy = Y + y - oy;
            if (cx < 0 || cx > areaSize - 1 || cy < 0 || cy > areaSize - 1)
                legal = false;
            // The covered cell and its eight neighbours, 1-based.
            int x1 = cx, y1 = cy, x2 = cx + 2, y2 = cy + 2;
            clampToArea(x1, y1, x2, y2, areaSize);
            for (int i = x1; i <= x2; ++i)
                for (int j = y1; j <= y2; ++j)
                    if (board.at(i, j) == CellShip)
                        legal = false;
        }
    }
    return legal;
}

void putShip(const ShipMask &mask, Board &board, int ox, int oy, int X, int Y)
{
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y)
            if (maskCell(mask, x, y) == 1)
                board.at(X + x - ox + 1, Y + y - oy + 1) = CellShip;
}

void clearBoard(Board &board)
{
    board.fill(CellWater);
}

void clearBoard(Board &board, FleetCounts &reset)
{
    clearBoard(board);
    reset = FleetCounts{};
}

PlaceResult placeSelectedShip(BoardState &state, int col, int row)
{
    const int s = ShipTypes[state.selectedShipType].count;
    if (state.placedFleet[s] == RequiredFleet[s])
        return PlaceResult::SizeFull;
    if (fleetComplete(state.placedFleet))
        return PlaceResult::fleetComplete;
    const TurnedShape shape = turnedShipShape(state.selectedShipType, state.rotation);
    if (!canPlaceShip(shape.mask, shape.origin.ox, shape.origin.oy, col, row, state.ownBoard,
                      state.areaSize))
        return PlaceResult::Illegal;
    putShip(shape.mask, state.ownBoard, shape.origin.ox, shape.origin.oy, col, row);
    ++state.placedFleet[s];
    return PlaceResult::Placed;
}

namespace {

// Whether any shape of the given size fits anywhere on the board.
bool anyPlaceFor(int size, const Board &board, int areaSize)
{
    for (int t = 1; t <= ShipTypeCount; ++t) {
        if (ShipTypes[static_cast<std::size_t>(t)].count != size)
            continue;
        for (int r = 0; r < 4; ++r) {
            const TurnedShape shape = turnedShipShape(t, r);
            for (int X = 0; X < areaSize; ++X)
                for (int Y = 0; Y < areaSize; ++Y)
                    if (canPlaceShip(shape.mask, shape.origin.ox, shape.origin.oy, X, Y, board,
                                     areaSize))
                        return true;
        }
    }
    return false;
}

} // namespace

int generateFleet(Board &board, FleetCounts &placed, int areaSize, Random &random,
                  const GenerateProgressSink &progress)
{
    Board work;
    clearBoard(work, placed);
    const int restarts = completeFleet(work, placed, areaSize, random, progress);
    board = work;
    return restarts;
}

int completeFleet(Board &work, FleetCounts &placed, int areaSize, Random &random,
                  const GenerateProgressSink &progress)
{
    // Dropped attempts in a row after which the board is searched for any
    // legal place at all; without one the fleet cannot be finished.
    constexpr int DeadEndSuspicion = 64;

    GenerateProgress last;
    int s = MaxShipSize;
    int dropped = 0;
    int restarts = 0;
    while (!fleetComplete(placed)) {
        if (placed[s] == RequiredFleet[s] && s > 1)
            --s;
        int t = 0;
        do {
            t = random.randInt(ShipTypeCount) + 1;
            last.t = t;
            if (progress)
                progress(last);
        } while (ShipTypes[static_cast<std::size_t>(t)].count != s);

        last.r = random.randInt(4);
        ShipMask mask = ShipTypes[static_cast<std::size_t>(t)].mask;
        rotateMask(mask, last.r);
        const ShapeOffset origin = shapeOrigin(mask);
        last.ox = origin.ox;
        last.oy = origin.oy;
        last.X = random.randInt(areaSize);
        last.Y = random.randInt(areaSize);

        if (canPlaceShip(mask, origin.ox, origin.oy, last.X, last.Y, work, areaSize)) {
            putShip(mask, work, origin.ox, origin.oy, last.X, last.Y);
            ++placed[s];
            dropped = 0;
        } else if (++dropped >= DeadEndSuspicion) {
            dropped = 0;
            if (!anyPlaceFor(s, work, areaSize)) {
                clearBoard(work, placed);
                s = MaxShipSize;
                ++restarts;
            }
        }
    }
    return restarts;
}

namespace {

// Cells of one ship, moved so that the smallest column and row are 0, sorted.
using ShipCells = std::vector<std::pair<int, int>>;

ShipCells normalized(ShipCells cells)
{
    int minX = BoardSide, minY = BoardSide;
    for (auto [x, y] : cells) {
        minX = std::min(minX, x);
        minY = std::min(minY, y);
    }
    for (auto &[x, y] : cells) {
        x -= minX;
        y -= minY;
    }
    std::sort(cells.begin(), cells.end());
    return cells;
}

bool isShipShape(const ShipCells &cells)
{
    for (int t = 1; t <= ShipTypeCount; ++t) {
        if (ShipTypes[static_cast<std::size_t>(t)].count != static_cast<int>(cells.size()))
            continue;
        for (int r = 0; r < 4; ++r) {
            const TurnedShape shape = turnedShipShape(t, r);
            ShipCells shapeCells;
            for (int x = 0; x < 4; ++x)
                for (int y = 0; y < 4; ++y)
                    if (maskCell(shape.mask, x, y) == 1)
                        shapeCells.emplace_back(x, y);
            if (normalized(shapeCells) == cells)
                return true;
        }
    }
    return false;
}

} // namespace

bool isLegalFleet(const Board &board, int areaSize)
{
    if (areaSize < MinAreaSize || areaSize > MaxAreaSize)
        return false;
    for (int x = 1; x <= BoardSide; ++x)
        for (int y = 1; y <= BoardSide; ++y) {
            const std::uint8_t code = board.at(x, y);
            const bool inArea = x <= areaSize && y <= areaSize;
            if (code != CellWater && !(inArea && code == CellShip))
                return false;
        }

    // Ships never touch, so each group of ship cells joined by sides or
    // corners must be one whole ship.
    FleetCounts found;
    std::array<bool, BoardCells> seen{};
    for (int x = 1; x <= areaSize; ++x)
        for (int y = 1; y <= areaSize; ++y) {
            const auto index = static_cast<std::size_t>((x - 1) * BoardSide + y - 1);
            if (board.at(x, y) != CellShip || seen[index])
                continue;
            ShipCells group;
            std::vector<std::pair<int, int>> stack{{x, y}};
            seen[index] = true;
            while (!stack.empty()) {
                auto [cx, cy] = stack.back();
                stack.pop_back();
                group.emplace_back(cx, cy);
                if (group.size() > MaxShipSize)
                    return false;
                for (int i = std::max(1, cx - 1); i <= std::min(areaSize, cx + 1); ++i)
                    for (int j = std::max(1, cy - 1); j <= std::min(areaSize, cy + 1); ++j) {
                        const auto n = static_cast<std::size_t>((i - 1) * BoardSide + j - 1);
                        if (board.at(i, j) == CellShip && !seen[n]) {
                            seen[n] = true;
                            stack.emplace_back(i, j);
                        }
                    }
            }
            const ShipCells shape = normalized(group);
            if (!isShipShape(shape))
                return false;
            ++found[static_cast<int>(shape.size())];
        }
    return found == RequiredFleet;
}

bool readyForNetworkGame(int n, const Readiness &facts)
{
    return !facts.gameInProgress && facts.fleetComplete && facts.hasPlayerName &&
           n == facts.areaSize && !facts.modalBusy;
}

} // namespace tw
