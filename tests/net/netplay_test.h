// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Two programs linked on loopback, Ann on 127.0.0.1 and Bob on 127.0.0.2,
// with the steps a match between them takes.

#include "common/gamestateaccess.h"
#include "model/shots.h"
#include "netplay_fixture.h"

#include <gtest/gtest.h>

namespace tw::test {

inline const QString Ann = QStringLiteral("Ann");
inline const QString Bob = QStringLiteral("Bob");
inline const QString kRefusal =
    QStringLiteral("The user doesn't ready to game, or area sizes miscoincide.");

inline QString opponentStatus(const QString &name, int size = 10)
{
    return QStringLiteral("Your opponent: ") + name + QStringLiteral(" (area size: ") +
           QString::number(size) + u')';
}

class NetPlayTest : public ::testing::Test
{
protected:
    int port = freePort();
    Side a{Ann, QStringLiteral("127.0.0.1"), port, 11};
    Side b{Bob, QStringLiteral("127.0.0.2"), port, 22};

    // Start on a, accepted by b; both matches run afterwards.
    void agreeMatch()
    {
        b.windows.answers = {true};
        ASSERT_TRUE(pressStart(a));
        ASSERT_TRUE(waitFor([&] { return matchOf(b.game).gameInProgress; }));
    }

    // The side whose turn it is fires at its next open cell until a fleet is
    // gone; after every shot the target's own board must equal the
    // shooter's copy of it, cell for cell.
    void playToTheEnd()
    {
        for (int shot = 0; shot < 2 * 225; ++shot) {
            ASSERT_NE(matchOf(a.game).playerTurn, matchOf(b.game).playerTurn) << "shot " << shot;
            Side &shooter = matchOf(a.game).playerTurn ? a : b;
            Side &target = matchOf(a.game).playerTurn ? b : a;
            const int n = shooter.game.boards().areaSize;
            int x = 0, y = 0;
            for (int i = 0; i < n * n && x == 0; ++i)
                if (isOpen(shooter.game.boards().opponentBoard, i / n + 1, i % n + 1)) {
                    x = i / n + 1;
                    y = i % n + 1;
                }
            ASSERT_NE(x, 0);
            shooter.match.playerShot(x - 1, y - 1);
            ASSERT_TRUE(waitFor([&] {
                return target.game.boards().ownBoard == shooter.game.boards().opponentBoard &&
                       matchOf(target.game).playerTurn != matchOf(shooter.game).playerTurn;
            })) << "shot "
                << shot << " at " << x << "," << y;
            if (fleetDestroyed(target.game.boards().ownBoard, n))
                break;
        }
        a.match.tick();
        b.match.tick();
    }

    // Cells of a board that a shot may still target.
    static bool isOpen(const Board &board, int x, int y)
    {
        const auto code = board.at(x, y);
        return code == CellWater || code == CellIntact;
    }

    static int wins(const Side &side)
    {
        for (const PlayerRecord &r : side.game.scores().players)
            if (!r.free)
                return r.wins;
        return -1;
    }
    static int losses(const Side &side)
    {
        for (const PlayerRecord &r : side.game.scores().players)
            if (!r.free)
                return r.losses;
        return -1;
    }
};

} // namespace tw::test
