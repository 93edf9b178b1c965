// Tests of a new game's record, the player's moves and level setup.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "RulesTestHelpers.h"

namespace {

TEST(MovementTest, StopsAtEveryEdgeOfTheLevelsGridButNotAtGapsOrOtherAxes) {
    const int grids[3][3] = {{1, 5, 4}, {6, 6, 5}, {11, 8, 6}};  // level, cols, rows
    for (const auto& [level, cols, rows] : grids) {
        Game game;
        game.setupLevel(level);
        game.cell(1, rows - 1).present = false;
        const std::vector<int> moves[] = {{'X', false, 0, rows - 1}, {'Y', true, 0, rows - 1},
                                          {'X', true, 1, rows - 1},  {'x', true, 1, rows - 1},
                                          {'Z', false, 1, rows - 1}, {'\0', true, 1, rows - 1}};
        for (const auto& m : moves) {
            game.movePlayer(static_cast<char>(m[0]), m[1]);
            EXPECT_EQ((std::vector<int>{level, 3, 0, m[2], m[3], false}), state(game)) << m[0];
        }
        for (int i = 0; i < cols + rows; ++i) {
            game.movePlayer('X', true);
            game.movePlayer('Y', false);
        }
        EXPECT_EQ(cols - 1, game.playerCol);
        EXPECT_EQ(0, game.playerRow);
        game.movePlayer('X', false);
        game.movePlayer('Y', true);
        EXPECT_EQ(cols - 2, game.playerCol);
        EXPECT_EQ(1, game.playerRow);
    }
}

TEST(LevelGameRecordTest, NewGameHoldsLevelOneThreeLivesAndZeroedRecords) {
    // Built over memory full of junk, so that a field left unset shows.
    alignas(Game) static unsigned char storage[sizeof(Game)];
    std::memset(storage, 0xAB, sizeof storage);
    const Game* game = new (storage) Game();
    EXPECT_EQ((std::vector<int>{1, 3, 0, 0, 3, false}), state(*game));
    EXPECT_EQ((std::vector<int>{0, 0, 0, 1}),
              (std::vector<int>{game->name[0], game->cols, game->rows, game->shrinkStep}));
    long clean = 0;  // records equal to zero-filled ones
    for (const auto& row : game->cells) {
        clean += std::count(row, row + kBoardCols, Cell{});
    }
    clean += std::count(game->bonuses, game->bonuses + kBonusCount, Bonus{});
    clean += std::count(game->enemies, game->enemies + kEnemyCount, Enemy{});
    EXPECT_EQ(kBoardRows * kBoardCols + kBonusCount + kEnemyCount, clean);
    game->~Game();
}

struct Band {
    int cols, rows, step, originX, originY, spacingX, spacingY;
    int fullRx, fullRy, gapTries, gapSizes, endRx, endRy;  // end: the start and portal cells
    int placed;                                            // 0: records 0 to level - 1
    int32_t kinds[13];
};

const Band kBands[3] = {
    {5, 4, 2, 32, 65, 65, 50, 28, 24, 15, 20, 28, 24, 0, {}},
    {6, 5, 1, 25, 55, 53, 40, 23, 19, 15, 18, 28, 24, 8, {1, 0, 0, 0, 0, 0, 1, 1}},
    {8, 6, 1, 15, 50, 38, 35, 19, 15, 35, 18, 19, 15, 13, {0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 2, 3}},
};

// Replays the rules' draws for a seed in their order: gaps (row, column, size, and a wait for
// a platform made too small), then the pickups' places, redrawn while on the portal cell.
TEST(LevelSetupTest, BuildsTheBandsBoardAndPickupsFromTheSeed) {
    for (int level : {1, 5, 6, 10, 11, 15}) {
        const Band& b = kBands[(level - 1) / 5];
        const int placed = b.placed == 0 ? level : b.placed;
        int gapsKept = 0, portalRedraws = 0;
        for (unsigned seed = 1; seed <= 150; ++seed) {
            SCOPED_TRACE(::testing::Message() << "level " << level << " seed " << seed);
            Cell cells[6][8];
            for (int c = 0; c < b.cols; ++c) {
                for (int r = 0; r < b.rows; ++r) {
                    const int x = b.originX + b.spacingX * c, y = b.originY + b.spacingY * r;
                    cells[r][c] = Cell{x, y, b.fullRx, b.fullRy, b.fullRx, b.fullRy, true, 0};
                }
            }
            std::srand(seed);
            for (int i = 0; i < b.gapTries; ++i) {
                const int row = std::rand() % b.rows;
                const int col = std::rand() % b.cols;
                const int size = std::rand() % b.gapSizes;
                Cell& cell = cells[row][col];
                gapsKept += size > 7 && !cell.present;  // a larger try does not fill a gap
                cell.rx = size;
                cell.ry = size - b.step;
                if (size <= 7) {
                    cell.present = false;
                    cell.timer = std::rand() % 40;
                }
            }
            for (Cell* end : {&cells[b.rows - 1][0], &cells[0][b.cols - 1]}) {
                *end = Cell{end->x, end->y, b.endRx, b.endRy, b.fullRx, b.fullRy, true, end->timer};
            }
            Bonus bonuses[13];
            for (int i = 0; i < placed; ++i) {
                int col = std::rand() % b.cols, row = std::rand() % b.rows;
                for (; row == 0 && col == b.cols - 1; ++portalRedraws) {
                    col = std::rand() % b.cols;
                    row = std::rand() % b.rows;
                }
                // Placed, then records 10 to 12 switched off up to level 10.
                bonuses[i] = Bonus{col, row, true, level > 10 || i < level, 0, b.kinds[i]};
            }

            Game game;
            std::srand(seed);
            game.setupLevel(level);
            EXPECT_EQ(level, game.level);
            EXPECT_EQ(
                (std::vector<int>{b.cols, b.rows, b.step, b.originX, b.originY, b.spacingX,
                                  b.spacingY, 0, b.rows - 1}),
                (std::vector<int>{game.cols, game.rows, game.shrinkStep, game.originX, game.originY,
                                  game.spacingX, game.spacingY, game.playerCol, game.playerRow}));
            for (int c = 0; c < b.cols; ++c) {
                for (int r = 0; r < b.rows; ++r) {
                    ASSERT_EQ(cells[r][c], game.cell(c, r)) << "cell " << c << "," << r;
                }
            }
            for (int i = 0; i < placed; ++i) {
                EXPECT_EQ(bonuses[i], game.bonuses[i]) << "record " << i;
            }
        }
        EXPECT_GT(gapsKept, 0) << level;  // the seeds above did meet the cases that matter
        EXPECT_GT(portalRedraws, 0) << level;
    }
}

TEST(LevelSetupTest, PlacesTheEnemiesOfEachBand) {
    const Enemy before{2, 1, true, true, 42}, off{2, 1, true, false, 42};
    const std::pair<int, std::vector<Enemy>> cases[] = {
        {2, {off, off, off}},
        {7, {{5, 0, true, true, 42}, off, off}},
        {12, {{7, 0, true, true, 42}, {7, 0, false, true, 100}, off}}};
    for (const auto& [level, expected] : cases) {
        Game game;
        std::fill(game.enemies, game.enemies + kEnemyCount, before);
        game.setupLevel(level);
        EXPECT_EQ(expected, std::vector<Enemy>(game.enemies, game.enemies + kEnemyCount)) << level;
    }
}

TEST(LevelSetupTest, PickupsInPlayFollowTheLevelEvenAfterAnEarlierGamesLateLevels) {
    Game game;
    const Bonus spare13{3, 2, true, true, 55, 7};
    const Bonus spare14{1, 1, false, true, 9, 2};
    game.bonuses[13] = spare13;
    game.bonuses[14] = spare14;
    std::srand(11);
    game.setupLevel(13);  // an earlier game reached the band where records 10 to 12 play
    Bonus recall = game.bonuses[12];
    ASSERT_EQ(kRecallBonus, recall.kind);
    game.setupLevel(1);  // a record switched off keeps the rest of its state
    recall.enabled = false;
    EXPECT_EQ(recall, game.bonuses[12]);
    for (int level = 1; level <= 15; ++level) {
        game.setupLevel(level);
        const int inPlay = level <= 7 ? level : level <= 10 ? 8 : 13;
        for (int i = 0; i < 13; ++i) {
            EXPECT_EQ(i < inPlay, game.bonuses[i].enabled) << "level " << level << " record " << i;
        }
    }
    EXPECT_EQ(spare13, game.bonuses[13]);
    EXPECT_EQ(spare14, game.bonuses[14]);
}

TEST(LevelSetupTest, LevelOneStartsAGameWithThreeLivesAndNoScore) {
    Game game;
    for (int level : {1, 1, 2}) {  // a new game, level 1 replayed, a later level
        game.lives = 1;
        game.score = -50;
        game.setupLevel(level);
        EXPECT_EQ(level == 1 ? 3 : 1, game.lives) << level;
        EXPECT_EQ(level == 1 ? 0 : -50, game.score) << level;
    }
}

TEST(LevelSetupTest, LevelOutsideOneToFifteenEndsTheGameChangingOnlyLevelAndPlaying) {
    for (int level : {16, 0, -1, 40}) {
        Game game;
        std::srand(5);
        game.setupLevel(8);
        game.playing = true;
        game.lives = 2;
        game.score = 700;
        game.movePlayer('X', true);
        std::vector<unsigned char> before(sizeof(Game));
        std::memcpy(before.data(), static_cast<const void*>(&game), sizeof(Game));
        game.setupLevel(level);
        EXPECT_EQ(level, game.level);
        EXPECT_FALSE(game.playing);
        game.level = 8;
        game.playing = true;
        EXPECT_EQ(0, std::memcmp(before.data(), static_cast<const void*>(&game), sizeof(Game)))
            << level;
    }
}

}  // namespace
