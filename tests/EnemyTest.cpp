// Tests of the enemies' movement: their ticks, chasing the player and fleeing small platforms.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

#include "RulesTestHelpers.h"
#include "game/Game.h"

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

// --- When enemies move --------------------------------------------------------------------

struct TickCase {
    int level, frameCounter;
    bool moves;
};

std::ostream& operator<<(std::ostream& out, const TickCase& c) {
    return out << "level " << c.level << " frame " << c.frameCounter;
}

class EnemyTickTest : public ::testing::TestWithParam<TickCase> {};

TEST_P(EnemyTickTest, MovesOnlyOnTheLevelsTicks) {
    // Levels outside 1 to 15 are those a finished game leaves; its board is the last level's.
    Game game = board(std::clamp(GetParam().level, 1, 15), 20, 0, 0, 3, 0);
    game.level = GetParam().level;
    game.stepEnemies(GetParam().frameCounter);
    EXPECT_EQ(GetParam().moves ? 2 : 3, game.enemies[0].col);
}

INSTANTIATE_TEST_SUITE_P(Frames, EnemyTickTest,
                         ::testing::Values(TickCase{6, 0, true}, TickCase{6, 13, true},
                                           TickCase{10, 9997, true}, TickCase{6, 8, false},
                                           TickCase{6, 14, false}, TickCase{10, 10000, false},
                                           TickCase{11, 8, true}, TickCase{11, 10000, true},
                                           TickCase{15, 0, true}, TickCase{11, 13, false},
                                           TickCase{11, 4, false}, TickCase{15, 9997, false},
                                           TickCase{16, 16, true}, TickCase{16, 13, false},
                                           TickCase{0, 26, true}, TickCase{-1, 8, false}));

TEST(EnemyTickTest, TwoTicksInARowAcrossTheWrapFromLevelEleven) {
    Game game = board(11, 20, 0, 0, 5, 0);
    game.stepEnemies(10000);
    game.stepEnemies(0);
    EXPECT_EQ(3, game.enemies[0].col);
}

TEST(EnemyTickTest, WaitingAndSwitchedOffEnemiesAreSteppedToo) {
    Game game = board(11, 20, 0, 0, 5, 0);
    game.enemies[1] = Enemy{5, 2, false, true, 50};
    game.enemies[2] = Enemy{4, 3, false, false, 0};
    game.stepEnemies(8);
    EXPECT_EQ(4, game.enemies[0].col);
    EXPECT_EQ(4, game.enemies[1].col);
    EXPECT_EQ(3, game.enemies[2].col);
    EXPECT_EQ(50, game.enemies[1].timer);
}

// --- Chasing ------------------------------------------------------------------------------

struct ChaseCase {
    const char* what;
    int playerCol, playerRow;
    int blockedCol, blockedRow, blockedRx;  // one neighbour narrowed to blockedRx (-1: a gap)
    int expectedCol, expectedRow;
};

std::ostream& operator<<(std::ostream& out, const ChaseCase& c) {
    return out << c.what;
}

class EnemyChaseTest : public ::testing::TestWithParam<ChaseCase> {};

TEST_P(EnemyChaseTest, ClosesTheColumnsFirstAndTheRowsWhenBlocked) {
    const ChaseCase c = GetParam();
    Game game = board(6, 20, c.playerCol, c.playerRow, 2, 2);
    if (c.blockedRx < 0) {
        game.cell(c.blockedCol, c.blockedRow).present = false;
    } else {
        game.cell(c.blockedCol, c.blockedRow).rx = c.blockedRx;
    }
    game.stepEnemies(13);
    EXPECT_EQ(c.expectedCol, game.enemies[0].col) << c.what;
    EXPECT_EQ(c.expectedRow, game.enemies[0].row) << c.what;
}

// Enemy 0 at (2, 2) of the 6 x 5 grid; T is 6.
INSTANTIATE_TEST_SUITE_P(
    Moves, EnemyChaseTest,
    ::testing::Values(ChaseCase{"up-left: left first", 0, 0, 9, 9, 20, 1, 2},
                      ChaseCase{"down-right: right first", 5, 4, 9, 9, 20, 3, 2},
                      ChaseCase{"same column, above", 2, 0, 9, 9, 20, 2, 1},
                      ChaseCase{"same column, below", 2, 4, 9, 9, 20, 2, 3},
                      ChaseCase{"left is a gap: up", 0, 0, 1, 2, -1, 2, 1},
                      ChaseCase{"left is T wide: up", 0, 0, 1, 2, 6, 2, 1},
                      ChaseCase{"left is T + 1 wide: left", 0, 0, 1, 2, 7, 1, 2},
                      ChaseCase{"right blocked: down", 4, 4, 3, 2, 6, 2, 3},
                      ChaseCase{"on the player: stays", 2, 2, 9, 9, 20, 2, 2}));

TEST(EnemyChaseTest, StaysWhenBothStepsTowardThePlayerAreBlocked) {
    Game game = board(6, 20, 0, 0, 2, 2);
    game.cell(1, 2).rx = 6;
    game.cell(2, 1).present = false;
    game.stepEnemies(13);
    EXPECT_EQ(2, game.enemies[0].col);
    EXPECT_EQ(2, game.enemies[0].row);
}

struct ThresholdCase {
    int level, frameCounter, ownRx;
    bool chases;
};

std::ostream& operator<<(std::ostream& out, const ThresholdCase& c) {
    return out << "level " << c.level << " own rx " << c.ownRx;
}

class EnemyThresholdTest : public ::testing::TestWithParam<ThresholdCase> {};

TEST_P(EnemyThresholdTest, ChasesFromAnOwnRadiusOfTPlusTwo) {
    const ThresholdCase c = GetParam();
    // The player lies to the left; the larger neighbour lies to the right.
    Game game = board(c.level, 10, 0, 2, 2, 2);
    game.cell(3, 2).rx = 12;
    game.cell(2, 2).rx = c.ownRx;
    game.cell(2, 2).present = false;  // its own platform's presence is not looked at
    game.stepEnemies(c.frameCounter);
    EXPECT_EQ(c.chases ? 1 : 3, game.enemies[0].col);
    EXPECT_EQ(2, game.enemies[0].row);
}

INSTANTIATE_TEST_SUITE_P(Levels, EnemyThresholdTest,
                         ::testing::Values(ThresholdCase{6, 13, 8, true},
                                           ThresholdCase{6, 13, 7, false},
                                           ThresholdCase{11, 8, 4, true},
                                           ThresholdCase{11, 8, 3, false}));

// --- Fleeing ------------------------------------------------------------------------------

struct FleeCase {
    const char* what;
    int left, right, up, down;  // neighbour radii; 0 means no platform there
    int expectedCol, expectedRow;
};

std::ostream& operator<<(std::ostream& out, const FleeCase& c) {
    return out << c.what;
}

class EnemyFleeTest : public ::testing::TestWithParam<FleeCase> {};

TEST_P(EnemyFleeTest, StepsOntoTheLargestNeighbourFirstOnTies) {
    const FleeCase c = GetParam();
    Game game = board(6, 30, 2, 2, 2, 2);  // fleeing ignores the player
    for (int c2 = 0; c2 < 6; ++c2) {
        for (int r = 0; r < 5; ++r) {
            game.cell(c2, r).present = false;
        }
    }
    game.cell(2, 2) = Cell{0, 0, 5, 5, 23, 19, true, 0};
    const int radii[4] = {c.left, c.right, c.up, c.down};
    const int at[4][2] = {{1, 2}, {3, 2}, {2, 1}, {2, 3}};
    for (int i = 0; i < 4; ++i) {
        Cell& cell = game.cell(at[i][0], at[i][1]);
        cell.present = radii[i] > 0;
        cell.rx = radii[i] > 0 ? radii[i] : 30;  // a gap's radius does not count
    }
    game.stepEnemies(13);
    EXPECT_EQ(c.expectedCol, game.enemies[0].col) << c.what;
    EXPECT_EQ(c.expectedRow, game.enemies[0].row) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Choices, EnemyFleeTest,
                         ::testing::Values(FleeCase{"left 20, right 20", 20, 20, 0, 0, 1, 2},
                                           FleeCase{"left 20, right 21", 20, 21, 0, 0, 3, 2},
                                           FleeCase{"all four 20", 20, 20, 20, 20, 1, 2},
                                           FleeCase{"left 20, down 21", 20, 0, 0, 21, 2, 3},
                                           FleeCase{"up 9, others smaller", 3, 4, 9, 8, 2, 1},
                                           FleeCase{"no neighbour", 0, 0, 0, 0, 2, 2}));

TEST(EnemyFleeTest, NeverLooksPastTheEdgeOfTheGrid) {
    Game game = board(6, 10, 0, 0, 5, 4);  // bottom-right corner of the 6 x 5 grid
    game.cell(5, 4).rx = 0;
    game.cell(6, 4) = Cell{0, 0, 40, 40, 40, 40, true, 0};  // outside the grid
    game.cell(5, 5) = Cell{0, 0, 40, 40, 40, 40, true, 0};
    game.cell(4, 4).rx = 11;
    game.stepEnemies(26);
    EXPECT_EQ(4, game.enemies[0].col);
    EXPECT_EQ(4, game.enemies[0].row);

    Game corner = board(6, 10, 5, 4, 0, 0);  // top-left corner
    corner.cell(0, 0).rx = 0;
    corner.cell(0, 1).rx = 12;
    corner.stepEnemies(26);
    EXPECT_EQ(0, corner.enemies[0].col);
    EXPECT_EQ(1, corner.enemies[0].row);
}

}  // namespace
