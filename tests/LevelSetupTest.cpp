// Tests of a new game's record, the player's moves, the board's slots and level setup.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <ostream>
#include <vector>

#include "RulesTestHelpers.h"
#include "game/Game.h"

namespace {

// --- The player's moves -------------------------------------------------------------------

struct GridCase {
    int level, cols, rows;
};

std::ostream& operator<<(std::ostream& out, const GridCase& c) {
    return out << "level " << c.level;
}

class MovementTest : public ::testing::TestWithParam<GridCase> {};

TEST_P(MovementTest, StopsAtEveryEdgeOfTheLevelsGrid) {
    const GridCase grid = GetParam();
    Game game;
    game.setupLevel(grid.level);
    ASSERT_EQ(0, game.playerCol);
    ASSERT_EQ(grid.rows - 1, game.playerRow);

    game.movePlayer('X', false);  // left edge
    game.movePlayer('Y', true);   // bottom edge
    EXPECT_EQ(0, game.playerCol);
    EXPECT_EQ(grid.rows - 1, game.playerRow);

    for (int i = 0; i < grid.cols + 2; ++i) {
        game.movePlayer('X', true);
    }
    EXPECT_EQ(grid.cols - 1, game.playerCol);
    for (int i = 0; i < grid.rows + 2; ++i) {
        game.movePlayer('Y', false);
    }
    EXPECT_EQ(0, game.playerRow);

    game.movePlayer('X', false);
    game.movePlayer('Y', true);
    EXPECT_EQ(grid.cols - 2, game.playerCol);
    EXPECT_EQ(1, game.playerRow);
}

INSTANTIATE_TEST_SUITE_P(EachBand, MovementTest,
                         ::testing::Values(GridCase{1, 5, 4}, GridCase{6, 6, 5},
                                           GridCase{11, 8, 6}));

TEST(MovementTest, OtherAxesChangeNothingAndGapsDoNotStopAMove) {
    Game game;
    game.setupLevel(6);
    game.cell(1, 4).present = false;
    game.playing = false;
    game.movePlayer('X', true);  // onto a gap, outside play: moves all the same
    for (char axis : {'x', 'y', 'Z', '\0'}) {
        game.movePlayer(axis, true);
        game.movePlayer(axis, false);
    }
    EXPECT_EQ(1, game.playerCol);
    EXPECT_EQ(4, game.playerRow);
    EXPECT_EQ(3, game.lives);
}

// --- A new game and the board's slots -----------------------------------------------------

TEST(LevelGameRecordTest, NewGameHoldsLevelOneThreeLivesAndZeroedRecords) {
    // Built over memory full of junk, so that a field left unset shows.
    alignas(Game) static unsigned char storage[sizeof(Game)];
    std::memset(storage, 0xAB, sizeof storage);
    Game* game = new (storage) Game();

    EXPECT_EQ(1, game->level);
    EXPECT_EQ(3, game->lives);
    EXPECT_EQ(0, game->score);
    EXPECT_FALSE(game->playing);
    EXPECT_EQ('\0', game->name[0]);
    EXPECT_EQ(0, game->playerCol);
    EXPECT_EQ(3, game->playerRow);
    EXPECT_EQ(0, game->cols);
    EXPECT_EQ(0, game->rows);
    EXPECT_EQ(1, game->shrinkStep);
    int unclean = 0;
    for (const auto& row : game->cells) {
        for (const Cell& cell : row) {
            unclean += !(cell == Cell{});
        }
    }
    for (const Bonus& bonus : game->bonuses) {
        unclean += !(bonus == Bonus{});
    }
    for (const Enemy& enemy : game->enemies) {
        unclean += !(enemy == Enemy{});
    }
    EXPECT_EQ(0, unclean);
    game->~Game();
}

TEST(LevelGameRecordTest, SlotsAreCountedRowByRowTwentyToARow) {
    Game game;
    game.setupLevel(1);  // 5 columns
    const Cell* slots = &game.cells[0][0];
    EXPECT_EQ(slots + 44, &game.cell(4, 2));
    EXPECT_EQ(slots + 60, &game.cell(0, 3));
    EXPECT_EQ(32 + 4 * 65, slots[44].x);
    EXPECT_EQ(65 + 2 * 50, slots[44].y);
    EXPECT_EQ(32, slots[60].x);
    EXPECT_EQ(65 + 3 * 50, slots[60].y);
    // Slots 5 to 19 of row 0 lie outside a 5-column grid and stay as a new game left them.
    for (int slot = 5; slot < 20; ++slot) {
        EXPECT_EQ(0, slots[slot].x) << slot;
        EXPECT_FALSE(slots[slot].present) << slot;
    }
}

// --- Level setup per band -----------------------------------------------------------------

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

const Band& bandOf(int level) {
    return kBands[(level - 1) / 5];
}

int placedRecords(int level) {
    return bandOf(level).placed == 0 ? level : bandOf(level).placed;
}

// The board and pickup places that the rules give for a seed, drawn in their order.
struct Expected {
    Cell cells[6][8];
    int32_t bonusCol[13], bonusRow[13];
    int gapsKept = 0;  // tries of size 8 or more that met a gap made earlier
    int portalRedraws = 0;
};

Expected replaySetup(int level, unsigned seed) {
    const Band& b = bandOf(level);
    Expected e{};
    for (int c = 0; c < b.cols; ++c) {
        for (int r = 0; r < b.rows; ++r) {
            e.cells[r][c] = Cell{b.originX + b.spacingX * c,
                                 b.originY + b.spacingY * r,
                                 b.fullRx,
                                 b.fullRy,
                                 b.fullRx,
                                 b.fullRy,
                                 true,
                                 0};
        }
    }
    std::srand(seed);
    for (int i = 0; i < b.gapTries; ++i) {
        const int row = std::rand() % b.rows;
        const int col = std::rand() % b.cols;
        const int size = std::rand() % b.gapSizes;
        Cell& cell = e.cells[row][col];
        cell.rx = size;
        cell.ry = size - b.step;
        if (size <= 7) {
            cell.present = false;
            cell.timer = std::rand() % 40;
        } else if (!cell.present) {
            ++e.gapsKept;
        }
    }
    for (Cell* end : {&e.cells[b.rows - 1][0], &e.cells[0][b.cols - 1]}) {
        end->rx = b.endRx;
        end->ry = b.endRy;
        end->present = true;
    }
    for (int i = 0; i < placedRecords(level); ++i) {
        for (;;) {
            e.bonusCol[i] = std::rand() % b.cols;
            e.bonusRow[i] = std::rand() % b.rows;
            if (e.bonusRow[i] != 0 || e.bonusCol[i] != b.cols - 1) {
                break;
            }
            ++e.portalRedraws;
        }
    }
    return e;
}

class LevelSetupBandTest : public ::testing::TestWithParam<int> {};

TEST_P(LevelSetupBandTest, BuildsTheBandsBoardAndPickupsFromTheSeed) {
    const int level = GetParam();
    const Band& b = bandOf(level);
    int gapsKept = 0;
    int portalRedraws = 0;
    for (unsigned seed = 1; seed <= 150; ++seed) {
        SCOPED_TRACE(seed);
        const Expected e = replaySetup(level, seed);
        gapsKept += e.gapsKept;
        portalRedraws += e.portalRedraws;

        Game game;
        std::srand(seed);
        game.setupLevel(level);
        EXPECT_EQ(level, game.level);
        EXPECT_EQ(b.cols, game.cols);
        EXPECT_EQ(b.rows, game.rows);
        EXPECT_EQ(b.step, game.shrinkStep);
        EXPECT_EQ(b.originX, game.originX);
        EXPECT_EQ(b.originY, game.originY);
        EXPECT_EQ(b.spacingX, game.spacingX);
        EXPECT_EQ(b.spacingY, game.spacingY);
        EXPECT_EQ(0, game.playerCol);
        EXPECT_EQ(b.rows - 1, game.playerRow);

        for (int c = 0; c < b.cols; ++c) {
            for (int r = 0; r < b.rows; ++r) {
                EXPECT_EQ(e.cells[r][c], game.cell(c, r)) << "cell " << c << "," << r;
            }
        }
        // The start and portal cells are whole with the band's radii for them, whatever
        // the gap tries did.
        for (const Cell* end : {&game.startCell(), &game.portalCell()}) {
            EXPECT_TRUE(end->present);
            EXPECT_EQ(b.endRx, end->rx);
            EXPECT_EQ(b.endRy, end->ry);
        }
        for (int i = 0; i < placedRecords(level); ++i) {
            const bool enabled = level > 10 || i < level;  // placed, then maybe switched off
            const Bonus want{e.bonusCol[i], e.bonusRow[i], true, enabled, 0, b.kinds[i]};
            EXPECT_EQ(want, game.bonuses[i]) << "record " << i;
        }
    }
    // The seeds above did meet the cases that matter.
    EXPECT_GT(gapsKept, 0);
    EXPECT_GT(portalRedraws, 0);
}

INSTANTIATE_TEST_SUITE_P(EachBand, LevelSetupBandTest, ::testing::Values(1, 5, 6, 10, 11, 15));

TEST(LevelSetupTest, LeavesSlotsOutsideTheGridAlone) {
    Game game;
    std::srand(3);
    game.setupLevel(11);  // 8 x 6
    const Cell corner = game.cell(7, 5);
    const Cell edge = game.cell(5, 0);
    game.setupLevel(1);  // 5 x 4
    EXPECT_EQ(corner, game.cell(7, 5));
    EXPECT_EQ(edge, game.cell(5, 0));
}

TEST(LevelSetupTest, PlacesTheEnemiesOfEachBand) {
    const Enemy before{2, 1, true, true, 42};
    const Enemy off{2, 1, true, false, 42};
    struct Case {
        int level;
        Enemy expected[3];
    };
    const Case cases[] = {
        {2, {off, off, off}},
        {7, {{5, 0, true, true, 42}, off, off}},
        {12, {{7, 0, true, true, 42}, {7, 0, false, true, 100}, off}},
    };
    for (const Case& c : cases) {
        Game game;
        for (Enemy& enemy : game.enemies) {
            enemy = before;
        }
        game.setupLevel(c.level);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(c.expected[i], game.enemies[i]) << "level " << c.level << " enemy " << i;
        }
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
    const Bonus recall = game.bonuses[12];
    ASSERT_EQ(kRecallBonus, recall.kind);

    for (int level = 1; level <= 15; ++level) {
        SCOPED_TRACE(level);
        game.setupLevel(level);
        const int inPlay = level <= 7 ? level : level <= 10 ? 8 : 13;
        for (int i = 0; i < 13; ++i) {
            EXPECT_EQ(i < inPlay, game.bonuses[i].enabled) << "record " << i;
        }
        for (int i = 0; i < placedRecords(level); ++i) {
            EXPECT_EQ(bandOf(level).kinds[i], game.bonuses[i].kind) << "record " << i;
        }
        if (level == 1) {  // a record switched off keeps the rest of its state
            EXPECT_EQ(
                (Bonus{recall.col, recall.row, recall.visible, false, recall.timer, kRecallBonus}),
                game.bonuses[12]);
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

class LevelSetupOutsideTest : public ::testing::TestWithParam<int> {};

TEST_P(LevelSetupOutsideTest, EndsTheGameChangingOnlyLevelAndPlaying) {
    Game game;
    std::srand(5);
    game.setupLevel(8);
    game.playing = true;
    game.lives = 2;
    game.score = 700;
    game.movePlayer('X', true);
    std::vector<unsigned char> before(sizeof(Game));
    std::memcpy(before.data(), static_cast<const void*>(&game), sizeof(Game));

    game.setupLevel(GetParam());
    EXPECT_EQ(GetParam(), game.level);
    EXPECT_FALSE(game.playing);
    game.level = 8;
    game.playing = true;
    EXPECT_EQ(0, std::memcmp(before.data(), static_cast<const void*>(&game), sizeof(Game)));
}

INSTANTIATE_TEST_SUITE_P(Levels, LevelSetupOutsideTest, ::testing::Values(16, 0, -1, 40));

}  // namespace
