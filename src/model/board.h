// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tw {

// What a board cell holds. The same board goes through two phases: while the
// fleet is arranged only CellShip and CellWater occur; armBoard() opens the
// battle phase (unhit ship cells become CellIntact) and revealShips() ends it.
// Codes 3 and 5 are never stored: they only name pictures (aim, own unhit ship).
enum CellCode : std::uint8_t
{
    CellMiss = 0,   // a shot fell here and found no ship
    CellShip = 1,   // placement: a ship cell; battle: a cell of a destroyed ship
    CellWater = 2,  // water not shot at; the value of a cleared board
    CellHit = 4,    // a hit cell of a ship that still has an unhit cell
    CellIntact = 6, // battle: an unhit ship cell
};

inline constexpr int BoardSide = 15;
inline constexpr int MinAreaSize = 10;
inline constexpr int MaxAreaSize = 15;
inline constexpr int BoardCells = BoardSide * BoardSide;

// One side's grid. Byte layout (it travels whole as the board text):
//   offset (x-1)*15 + (y-1) holds column x, row y (both 1..15),
// so the first 15 bytes are column 1 from row A down to row O. Only the
// top-left area-size square takes part in play; clearing and the board text
// cover all 225 cells.
struct Board
{
    std::array<std::uint8_t, BoardCells> cells;

    // Precondition: 1 <= x, y <= 15.
    std::uint8_t &at(int x, int y) { return cells[static_cast<std::size_t>((x - 1) * 15 + y - 1)]; }
    std::uint8_t at(int x, int y) const
    {
        return cells[static_cast<std::size_t>((x - 1) * 15 + y - 1)];
    }

    void fill(std::uint8_t code) { cells.fill(code); }
    friend bool operator==(const Board &, const Board &) = default;
};
static_assert(sizeof(Board) == 225, "a board is 225 bytes, no header");

// Clamps a rectangle of 1-based cells to the area: only the lower bounds of
// the first corner and the upper bounds of the second. A rectangle wholly
// outside the area comes back empty (x2 < x1 or y2 < y1).
void clampToArea(int &x1, int &y1, int &x2, int &y2, int areaSize);

// The board-as-letters text: 225 characters, column by column, each the
// letter 'A' + cell code. It covers the whole grid whatever the area size.
std::string boardToText(const Board &board);

// The inverse of boardToText. Accepts only a text of at least 225 characters,
// all at or after 'A' (code - 65 fitting a byte); characters after the 225th
// are ignored. On refusal returns false: the cells decoded before the first
// bad position keep their new values and the rest keep their old ones.
bool textToBoard(std::string_view text, Board &board);

// The row letter followed by the column number: cellName(7, 3) is "C7".
// Precondition: 1 <= x, y <= 15.
std::string cellName(int x, int y);

} // namespace tw
