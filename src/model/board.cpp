// SPDX-License-Identifier: GPL-3.0-or-later
#include "board.h"

namespace tw {

void clampToArea(int &x1, int &y1, int &x2, int &y2, int areaSize)
{
    if (x1 < 1)
        x1 = 1;
    if (y1 < 1)
        y1 = 1;
    if (x2 > areaSize)
        x2 = areaSize;
    if (y2 > areaSize)
        y2 = areaSize;
}

std::string boardToText(const Board &board)
{
    std::string text;
    text.reserve(BoardCells);
    for (std::uint8_t code : board.cells)
        text.push_back(static_cast<char>('A' + code));
    return text;
}

bool textToBoard(std::string_view text, Board &board)
{
    for (std::size_t i = 0; i < board.cells.size(); ++i) {
        if (i >= text.size())
            return false;
        const int code = static_cast<unsigned char>(text[i]) - 'A';
        if (code < 0)
            return false;
        board.cells[i] = static_cast<std::uint8_t>(code);
    }
    return true;
}

std::string cellName(int x, int y)
{
    return static_cast<char>('@' + y) + std::to_string(x);
}

} // namespace tw
