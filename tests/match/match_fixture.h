// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fake_host.h"
#include "match/match.h"
#include "model/random.h"

#include <compare>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <vector>

namespace tw {

struct Cell
{
    int x = 0; // 1-based column
    int y = 0; // 1-based row
    friend auto operator<=>(const Cell &, const Cell &) = default;
    friend std::ostream &operator<<(std::ostream &os, const Cell &c)
    {
        return os << '(' << c.x << ',' << c.y << ')';
    }
};

// A battle board drawn as text, one string per row from row A down, one
// character per column: '.' water, '#' unhit ship cell, 'x' hit cell of a
// ship afloat, 'o' miss, 'S' cell of a destroyed ship. Whatever the strings
// leave out is water.
Board boardFromRows(std::initializer_list<const char *> rows);

// The same board with every cell of the area set to `code` first.
Board boardFromRows(std::uint8_t background, int area, std::initializer_list<const char *> rows);

// "C7" for column 7, row 3, written out here rather than taken from the model.
QString cellText(Cell cell);

QString utf8(const char *text);

struct Shot
{
    bool computer = false;
    Cell cell;
    ShotOutcome outcome = ShotOutcome::Miss;
};

// The shot that turned `before` into `after`: the one cell that was open
// (water or an unhit ship cell) and is not any more. Nothing when no cell
// changed that way; a test failure when more than one did.
std::optional<Shot> shotBetween(const Board &before, const Board &after, int area, bool computer);

// A match with its own state, generator and recording host.
class MatchTest : public testing::Test
{
protected:
    MatchTest() { host.watch(match); }
    void SetUp() override;

    void setEnglish(bool english);
    // A random complete fleet on the own board, in the placement phase.
    void placeOwnFleet(std::uint32_t seed);
    // A match in progress on hand-made battle boards, as if Start had run
    // with the link as host.linked says.
    void runningMatch(const Board &own, const Board &opponent, bool playerTurn);
    // Points the click at the 1-based cell of the opponent board.
    void shootAt(Cell cell);

    // How the test plays the player's side of a whole match.
    enum class Player
    {
        Sharp, // fires at the first unhit ship cell it knows of: never misses
        Blind, // fires at the first water cell: never hits
    };
    struct PlayedMatch
    {
        std::vector<Shot> shots; // both sides, in order
        int ticks = 0;           // turn timer ticks, the last one included
    };
    using ComputerShotCheck = std::function<void(const Board &before, const Shot &shot)>;

    // From Begin until gameOver: a tick, then a player's shot when it is the
    // player's turn. Checks that a tick makes at most one shot, and passes
    // every computer shot with the own board before it to `check`.
    PlayedMatch playToTheEnd(Player player, const ComputerShotCheck &check = {});

    GameState game;
    Random random{1};
    FakeHost host{game, random};
    Match match{game, random, host, host, host, host.gameLog(), host};
};

} // namespace tw
