// Tests of the enemies' movement: their ticks, chasing the player and fleeing small platforms.
#include <gtest/gtest.h>

#include <algorithm>

#include "RulesTestHelpers.h"

namespace {

// A level whose every platform has radius `rx`, the player at (pc, pr) and enemy 0 at (ec, er).
Game board(int level, int rx, int pc, int pr, int ec, int er) {
    Game game;
    quietLevel(game, level);
    for (int c = 0; c < kBoardCols; ++c) {
        for (int r = 0; r < kBoardRows; ++r) {
            game.cell(c, r).rx = rx;
        }
    }
    game.playerCol = pc;
    game.playerRow = pr;
    game.enemies[0] = Enemy{ec, er, true, true, 0};
    return game;
}

TEST(EnemyTickTest, MovesOnlyOnTheLevelsTicks) {
    // Levels outside 1 to 15 are those a finished game leaves; its board is the last level's.
    const struct {
        int level, frameCounter;
        bool moves;
    } cases[] = {{6, 0, true},   {6, 13, true},      {10, 9997, true}, {6, 8, false},
                 {6, 14, false}, {10, 10000, false}, {11, 8, true},    {11, 10000, true},
                 {15, 0, true},  {11, 13, false},    {11, 4, false},   {15, 9997, false},
                 {16, 16, true}, {16, 13, false},    {0, 26, true},    {-1, 8, false}};
    for (const auto& c : cases) {
        Game game = board(std::clamp(c.level, 1, 15), 20, 0, 0, 3, 0);
        game.level = c.level;
        game.stepEnemies(c.frameCounter);
        EXPECT_EQ(c.moves ? 2 : 3, game.enemies[0].col)
            << "level " << c.level << " frame " << c.frameCounter;
    }
}

TEST(EnemyTickTest, TicksAt10000And0InARowAndStepsHiddenAndSwitchedOffEnemiesToo) {
    Game game = board(11, 20, 0, 0, 5, 0);
    game.enemies[1] = Enemy{5, 2, false, true, 50};
    game.enemies[2] = Enemy{5, 3, false, false, 0};
    game.stepEnemies(10000);
    game.stepEnemies(0);
    EXPECT_EQ(3, game.enemies[0].col);
    EXPECT_EQ((Enemy{3, 2, false, true, 50}), game.enemies[1]);
    EXPECT_EQ((Enemy{3, 3, false, false, 0}), game.enemies[2]);
}

TEST(EnemyChaseTest, ClosesTheColumnsFirstAndTheRowsWhenBlocked) {
    // Enemy 0 at (2, 2) of the 6 x 5 grid; T is 6. One neighbour narrowed to blockedRx
    // (-1: a gap, two gaps when blocked2 is set).
    const struct {
        const char* what;
        int playerCol, playerRow, blockedCol, blockedRow, blockedRx, expectedCol, expectedRow;
        bool blocked2 = false;
    } cases[] = {{"up-left: left first", 0, 0, 9, 9, 20, 1, 2},
                 {"down-right: right first", 5, 4, 9, 9, 20, 3, 2},
                 {"same column, above", 2, 0, 9, 9, 20, 2, 1},
                 {"same column, below", 2, 4, 9, 9, 20, 2, 3},
                 {"left is a gap: up", 0, 0, 1, 2, -1, 2, 1},
                 {"left is T wide: up", 0, 0, 1, 2, 6, 2, 1},
                 {"left is T + 1 wide: left", 0, 0, 1, 2, 7, 1, 2},
                 {"right blocked: down", 4, 4, 3, 2, 6, 2, 3},
                 {"left and up blocked: stays", 0, 0, 1, 2, 6, 2, 2, true},
                 {"on the player: stays", 2, 2, 9, 9, 20, 2, 2}};
    for (const auto& c : cases) {
        Game game = board(6, 20, c.playerCol, c.playerRow, 2, 2);
        if (c.blockedRx < 0) {
            game.cell(c.blockedCol, c.blockedRow).present = false;
        } else {
            game.cell(c.blockedCol, c.blockedRow).rx = c.blockedRx;
        }
        game.cell(2, 1).present = !c.blocked2;
        game.stepEnemies(13);
        EXPECT_EQ(c.expectedCol, game.enemies[0].col) << c.what;
        EXPECT_EQ(c.expectedRow, game.enemies[0].row) << c.what;
    }
}

TEST(EnemyChaseTest, ChasesFromAnOwnRadiusOfTPlusTwo) {
    const struct {
        int level, frameCounter, ownRx;
        bool chases;
    } cases[] = {{6, 13, 8, true}, {6, 13, 7, false}, {11, 8, 4, true}, {11, 8, 3, false}};
    for (const auto& c : cases) {
        // The player lies to the left; the larger neighbour lies to the right.
        Game game = board(c.level, 10, 0, 2, 2, 2);
        game.cell(3, 2).rx = 12;
        game.cell(2, 2).rx = c.ownRx;
        game.cell(2, 2).present = false;  // its own platform's presence is not looked at
        game.stepEnemies(c.frameCounter);
        EXPECT_EQ((Enemy{c.chases ? 1 : 3, 2, true, true, 0}), game.enemies[0])
            << "level " << c.level << " own rx " << c.ownRx;
    }
}

TEST(EnemyFleeTest, StepsOntoTheLargestNeighbourFirstOnTies) {
    const struct {
        const char* what;
        int radii[4];  // left, right, up, down; 0 means no platform there
        int expectedCol, expectedRow;
    } cases[] = {
        {"left 20, right 20", {20, 20, 0, 0}, 1, 2},  {"left 20, right 21", {20, 21, 0, 0}, 3, 2},
        {"all four 20", {20, 20, 20, 20}, 1, 2},      {"left 20, down 21", {20, 0, 0, 21}, 2, 3},
        {"up 9, others smaller", {3, 4, 9, 8}, 2, 1}, {"no neighbour", {0, 0, 0, 0}, 2, 2}};
    const int at[4][2] = {{1, 2}, {3, 2}, {2, 1}, {2, 3}};
    for (const auto& c : cases) {
        Game game = board(6, 30, 2, 2, 2, 2);  // fleeing ignores the player
        game.cell(2, 2).rx = 5;
        for (int i = 0; i < 4; ++i) {
            Cell& cell = game.cell(at[i][0], at[i][1]);
            cell.present = c.radii[i] > 0;
            cell.rx = c.radii[i] > 0 ? c.radii[i] : 30;  // a gap's radius does not count
        }
        game.stepEnemies(13);
        EXPECT_EQ(c.expectedCol, game.enemies[0].col) << c.what;
        EXPECT_EQ(c.expectedRow, game.enemies[0].row) << c.what;
    }
}

}  // namespace
