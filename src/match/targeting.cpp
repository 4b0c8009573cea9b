// SPDX-License-Identifier: GPL-3.0-or-later
#include "targeting.h"

#include <algorithm>

namespace tw {

ComputerPlayer::ComputerPlayer(const Board &ownBoard, const Board &rejected, int areaSize,
                               Random &random)
    : m_ownBoard(ownBoard), m_rejected(rejected), m_areaSize(areaSize), m_random(random)
{}

bool ComputerPlayer::mayShootAt(int x, int y) const
{
    const auto code = m_ownBoard.at(x, y);
    return code != CellShip && code != CellMiss && code != CellHit && clearOfWrecks(x, y);
}

bool ComputerPlayer::clearOfWrecks(int x, int y) const
{
    int x1 = x - 1, y1 = y - 1, x2 = x + 1, y2 = y + 1;
    clampToArea(x1, y1, x2, y2, m_areaSize);
    for (int i = x1; i <= x2; ++i)
        for (int j = y1; j <= y2; ++j)
            if (m_ownBoard.at(i, j) == CellShip)
                return false;
    return true;
}

bool ComputerPlayer::pickWoundedCell(int &x, int &y)
{
    const int n = m_areaSize;
    bool found = false;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            if (m_ownBoard.at(i, j) == CellHit) {
                x = i;
                y = j;
                found = true;
                if (m_random.randInt(2) == 1)
                    return true;
            }
    return found;
}

bool ComputerPlayer::uniqueNeighbourTarget(int &x, int &y) const
{
    const int n = m_areaSize;
    const Board &board = m_ownBoard;
    int lastX = x, lastY = y;
    int count = 0;
    // Only the candidate just counted is excluded, so a cell reached again
    // from another hit cell counts again.
    auto look = [&](int cx, int cy) {
        const auto code = board.at(cx, cy);
        if (code == CellMiss || code == CellHit || (cx == lastX && cy == lastY) ||
            !clearOfWrecks(cx, cy))
            return;
        ++count;
        lastX = cx;
        lastY = cy;
    };
    for (int j = 1; j <= n; ++j)
        for (int i = 1; i <= n; ++i) {
            if (board.at(i, j) != CellHit)
                continue;
            for (int l = std::max(1, i - 1); l <= std::min(n, i + 1); ++l)
                look(l, j);
            for (int m = std::max(1, j - 1); m <= std::min(n, j + 1); ++m)
                look(i, m);
        }
    if (count != 1)
        return false;
    x = lastX;
    y = lastY;
    return true;
}

bool ComputerPlayer::uniqueOpenCell(int &x, int &y) const
{
    const int n = m_areaSize;
    int count = 0;
    for (int j = 1; j <= n; ++j)
        for (int i = 1; i <= n; ++i) {
            const auto code = m_ownBoard.at(i, j);
            if ((code == CellWater || code == CellIntact) && clearOfWrecks(i, j)) {
                ++count;
                x = i;
                y = j;
            }
        }
    return count == 1;
}

void ComputerPlayer::chooseTarget(int &x, int &y)
{
    const int n = m_areaSize;
    if (pickWoundedCell(x, y)) {
        if (uniqueNeighbourTarget(x, y))
            return;
        const int d = m_random.randInt(3) - 1;
        if (m_random.randInt(2) == 0)
            y += d;
        else
            x += d;
        x = std::clamp(x, 1, n);
        y = std::clamp(y, 1, n);
        return;
    }
    if (uniqueOpenCell(x, y))
        return;
    const Board &rejected = m_rejected;
    x = m_random.randInt(n) + 1;
    y = m_random.randInt(n) + 1;
    if (rejected.at(x, y) == CellMiss)
        for (int k = 1; k <= n; ++k)
            if (rejected.at(k, y) == CellWater)
                x = k;
    if (rejected.at(x, y) == CellMiss)
        for (int k = 1; k <= n; ++k)
            if (rejected.at(x, k) == CellWater)
                y = k;
}

} // namespace tw
