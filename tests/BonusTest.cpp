// Tests of the pickups: placing, waits, loss of their platform, collection, effects, drawing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>

#include "RulesTestHelpers.h"
#include "game/Bonuses.h"
#include "game/Game.h"
#include "support/SdlTest.h"

namespace {

// Top-left corner of a pickup's picture on cell (col, row).
int pickupX(const Game& game, int col) {
    return game.originX + col * game.spacingX - 8;
}
int pickupY(const Game& game, int row) {
    return game.originY + row * game.spacingY - 15;
}

// A seed whose first rand() % 300 differs from its first rand() % 120.
unsigned seedTellingLongWaitsFromShort() {
    unsigned seed = 1;
    while (firstDraw(seed, 300) == firstDraw(seed, 120)) {
        ++seed;
    }
    return seed;
}

class BonusDrawingTest : public SdlTest {
  protected:
    void SetUp() override {
        SdlTest::SetUp();
        const int colours[4][3] = {{255, 0, 255}, {0, 255, 0}, {255, 255, 0}, {0, 255, 255}};
        for (int k = 0; k < 4; ++k) {
            pictures.bonus[k] =
                solidPicture(screen, 16, 16, colours[k][0], colours[k][1], colours[k][2]);
            colour[k] = asStored(screen, colours[k][0], colours[k][1], colours[k][2]);
        }
    }
    void TearDown() override {
        for (SDL_Surface* picture : pictures.bonus) {
            SDL_FreeSurface(picture);
        }
        SdlTest::TearDown();
    }
    void frame(Game& game) {
        fill(screen, 0, 0, 255);
        runFrame(game, screen, 1, pictures);  // not a shrink tick
    }
    FramePictures pictures;
    Rgb colour[4];
};

// --- Placing ------------------------------------------------------------------------------

TEST(BonusPlacementTest, NeverOnThePortalCellColumnDrawnFirst) {
    int redraws = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        Game game;
        quietLevel(game, 1);
        game.bonuses[0] = Bonus{0, 0, false, false, 0, kPointsBonus};
        std::srand(seed);
        int col, row;
        for (;;) {
            col = std::rand() % 5;
            row = std::rand() % 4;
            if (row != 0 || col != 4) {
                break;
            }
            ++redraws;
        }
        std::srand(seed);
        updateBonuses(game);
        ASSERT_FALSE(game.bonuses[0].row == 0 && game.bonuses[0].col == 4) << seed;
        EXPECT_EQ((Bonus{col, row, true, false, 0, kPointsBonus}), game.bonuses[0]) << seed;
    }
    EXPECT_GT(redraws, 0);
}

TEST(BonusPlacementTest, HiddenPickupWaitsItsTimerThenIsPlaced) {
    Game game;
    quietLevel(game, 2);
    game.bonuses[0] = Bonus{1, 1, false, false, 2, kPointsBonus};
    game.bonuses[1] = Bonus{2, 2, true, true, 5, kPointsBonus};  // visible: keeps its timer
    updateBonuses(game);
    EXPECT_EQ(1, game.bonuses[0].timer);
    updateBonuses(game);
    EXPECT_EQ(0, game.bonuses[0].timer);
    EXPECT_FALSE(game.bonuses[0].visible);
    updateBonuses(game);
    EXPECT_TRUE(game.bonuses[0].visible);
    EXPECT_EQ(5, game.bonuses[1].timer);
    EXPECT_TRUE(game.bonuses[1].visible);
}

TEST(BonusPlacementTest, PassCoversRecordsZeroToTwelveOnly) {
    Game game;
    quietLevel(game, 11);
    game.bonuses[12] = Bonus{1, 1, false, false, 0, kRecallBonus};
    const Bonus waiting{1, 1, false, true, 0, kPointsBonus};
    const Bonus underPlayer{0, 5, true, true, 0, kPointsBonus};
    game.bonuses[13] = waiting;
    game.bonuses[14] = underPlayer;
    updateBonuses(game);
    EXPECT_TRUE(game.bonuses[12].visible);
    EXPECT_EQ(waiting, game.bonuses[13]);
    EXPECT_EQ(underPlayer, game.bonuses[14]);
    EXPECT_EQ(0, game.score);
}

// --- Losing the platform ------------------------------------------------------------------

struct LossCase {
    int32_t kind;
    int waits;
};

std::ostream& operator<<(std::ostream& out, const LossCase& c) {
    return out << "kind " << c.kind;
}

class BonusLossTest : public ::testing::TestWithParam<LossCase> {};

TEST_P(BonusLossTest, PlatformGoneHidesThePickupBeforeThePlayerCollectsIt) {
    const unsigned seed = seedTellingLongWaitsFromShort();
    Game game;
    quietLevel(game, 11);
    game.playerCol = 2;
    game.playerRow = 3;
    game.cell(2, 3).present = false;
    game.enemies[0] = Enemy{5, 5, true, true, 0};
    game.bonuses[0] = Bonus{2, 3, true, true, 0, GetParam().kind};
    std::srand(seed);
    updateBonuses(game);
    EXPECT_FALSE(game.bonuses[0].visible);
    EXPECT_EQ(firstDraw(seed, GetParam().waits), game.bonuses[0].timer);
    EXPECT_EQ(0, game.score);
    EXPECT_EQ(3, game.lives);
    EXPECT_TRUE(game.enemies[0].visible);
}

INSTANTIATE_TEST_SUITE_P(EachKind, BonusLossTest,
                         ::testing::Values(LossCase{kPointsBonus, 120},
                                           LossCase{kPenaltyBonus, 120}, LossCase{kLifeBonus, 300},
                                           LossCase{kRecallBonus, 300}));

// --- Collecting ---------------------------------------------------------------------------

struct EffectCase {
    int32_t kind;
    int level, score, lives;
    int expectedScore, expectedLives;
};

std::ostream& operator<<(std::ostream& out, const EffectCase& c) {
    return out << "kind " << c.kind << " at level " << c.level << " score " << c.score;
}

class BonusEffectTest : public ::testing::TestWithParam<EffectCase> {};

TEST_P(BonusEffectTest, CollectingAppliesTheKindsEffectAndWaits) {
    const EffectCase c = GetParam();
    const unsigned seed = seedTellingLongWaitsFromShort();
    Game game;
    quietLevel(game, c.level);
    game.score = c.score;
    game.lives = c.lives;
    game.bonuses[0] = Bonus{game.playerCol, game.playerRow, true, true, 0, c.kind};
    std::srand(seed);
    updateBonuses(game);
    EXPECT_EQ(c.expectedScore, game.score);
    EXPECT_EQ(c.expectedLives, game.lives);
    EXPECT_FALSE(game.bonuses[0].visible);
    EXPECT_EQ(firstDraw(seed, 120), game.bonuses[0].timer);
}

INSTANTIATE_TEST_SUITE_P(Kinds, BonusEffectTest,
                         ::testing::Values(EffectCase{kPointsBonus, 3, 0, 3, 120, 3},
                                           EffectCase{kPointsBonus, 15, 10, 3, 250, 3},
                                           EffectCase{kPenaltyBonus, 4, 100, 3, -250, 3},
                                           EffectCase{kPenaltyBonus, 12, -20, 1, -370, 1},
                                           EffectCase{kLifeBonus, 11, 40, 0, 40, 1},
                                           EffectCase{kLifeBonus, 14, 0, 7, 0, 8}));

TEST(BonusRecallTest, SendsBackTheFirstEnabledAndVisibleEnemyOnly) {
    Game game;
    quietLevel(game, 11);
    game.enemies[0] = Enemy{3, 3, true, false, 9};  // visible but switched off
    game.enemies[1] = Enemy{4, 2, false, true, 5};  // waiting
    game.enemies[2] = Enemy{2, 2, true, true, 0};
    const Enemy first = game.enemies[0];
    const Enemy second = game.enemies[1];
    game.bonuses[0] = Bonus{game.playerCol, game.playerRow, true, true, 0, kRecallBonus};
    std::srand(21);
    const int wait = std::rand() % 120;
    const int enemyWait = std::rand() % 125;
    std::srand(21);
    updateBonuses(game);
    EXPECT_EQ(wait, game.bonuses[0].timer);
    EXPECT_EQ((Enemy{7, 0, false, true, enemyWait}), game.enemies[2]);
    EXPECT_EQ(first, game.enemies[0]);
    EXPECT_EQ(second, game.enemies[1]);

    // With two candidates only the first goes.
    game.enemies[0].enabled = true;
    game.enemies[2] = Enemy{2, 2, true, true, 0};
    game.bonuses[0] = Bonus{game.playerCol, game.playerRow, true, true, 0, kRecallBonus};
    updateBonuses(game);
    EXPECT_FALSE(game.enemies[0].visible);
    EXPECT_TRUE(game.enemies[2].visible);
}

TEST(BonusRecallTest, DoesNothingWithoutAVisibleEnabledEnemy) {
    Game game;
    quietLevel(game, 12);
    game.enemies[0] = Enemy{3, 3, true, false, 9};
    game.enemies[1] = Enemy{4, 2, false, true, 5};
    const Enemy before[3] = {game.enemies[0], game.enemies[1], game.enemies[2]};
    game.bonuses[0] = Bonus{game.playerCol, game.playerRow, true, true, 0, kRecallBonus};
    std::srand(4);
    std::rand();
    const int next = std::rand();
    std::srand(4);
    updateBonuses(game);
    EXPECT_FALSE(game.bonuses[0].visible);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(before[i], game.enemies[i]);
    }
    EXPECT_EQ(next, std::rand());  // only the pickup's own wait was drawn
}

// --- Drawing ------------------------------------------------------------------------------

TEST_F(BonusDrawingTest, EachKindIsDrawnWithItsPictureAboveItsPlatform) {
    Game game;
    quietLevel(game, 11);
    const int cells[4][2] = {{1, 1}, {3, 2}, {5, 3}, {6, 4}};
    for (int k = 0; k < 4; ++k) {
        game.bonuses[k] = Bonus{cells[k][0], cells[k][1], true, true, 0, k};
    }
    frame(game);
    for (int k = 0; k < 4; ++k) {
        const int x = pickupX(game, cells[k][0]);
        const int y = pickupY(game, cells[k][1]);
        EXPECT_EQ(colour[k], pixelAt(screen, x, y)) << k;
        EXPECT_EQ(colour[k], pixelAt(screen, x + 15, y + 15)) << k;
        EXPECT_NE(colour[k], pixelAt(screen, x - 1, y)) << k;
        EXPECT_NE(colour[k], pixelAt(screen, x, y - 1)) << k;
    }
}

TEST_F(BonusDrawingTest, PickupPlacedUnderThePlayerIsCollectedAtOnceAndNeverDrawn) {
    Game game;
    quietLevel(game, 3);
    game.bonuses[0] = Bonus{0, 0, false, true, 0, kPointsBonus};
    std::srand(17);
    int col, row;
    do {
        col = std::rand() % 5;
        row = std::rand() % 4;
    } while (row == 0 && col == 4);
    const int wait = std::rand() % 120;
    game.playerCol = col;
    game.playerRow = row;
    std::srand(17);
    frame(game);
    EXPECT_EQ(120, game.score);
    EXPECT_FALSE(game.bonuses[0].visible);
    EXPECT_EQ(wait, game.bonuses[0].timer);
    EXPECT_NE(colour[0], pixelAt(screen, pickupX(game, col) + 2, pickupY(game, row) + 2));
}

TEST_F(BonusDrawingTest, SwitchedOffPickupIsNeitherDrawnNorCollected) {
    Game game;
    quietLevel(game, 4);
    game.bonuses[0] = Bonus{game.playerCol, game.playerRow, true, false, 0, kPenaltyBonus};
    game.bonuses[1] = Bonus{2, 1, true, false, 0, kPointsBonus};
    frame(game);
    EXPECT_EQ(0, game.score);
    EXPECT_EQ((Bonus{0, 3, true, false, 0, kPenaltyBonus}), game.bonuses[0]);
    EXPECT_TRUE(game.bonuses[1].visible);
    EXPECT_NE(colour[1], pixelAt(screen, pickupX(game, 0) + 2, pickupY(game, 3) + 2));
    EXPECT_NE(colour[0], pixelAt(screen, pickupX(game, 2) + 2, pickupY(game, 1) + 2));
}

}  // namespace
