// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>

namespace tw {

class Catalogue;

// What a screen reader says for one board cell: its state word in the
// catalogue's language. `code` is the cell code of the board; during a match
// the opponent's unhit ship cells read as untouched water, as they are drawn.
QString cellStateText(std::uint8_t code, bool opponentBoard, bool inMatch, const Catalogue &texts);

// The whole text of a cell, the cell name first: "B4, hit". x and y count
// from 1.
QString cellAccessibleText(int x, int y, std::uint8_t code, bool opponentBoard, bool inMatch,
                           const Catalogue &texts);
// The same in English (true) or Russian.
QString cellAccessibleText(int x, int y, std::uint8_t code, bool opponentBoard, bool inMatch,
                           bool english);

// Makes the boards readable as tables of cells, the music and sound switches
// as checkable controls with their state, the lamps and the counter as
// labels. Once per process, before the windows are shown; a switch must be
// made checkable before it is first read.
void installAccessibleFactories();

} // namespace tw
