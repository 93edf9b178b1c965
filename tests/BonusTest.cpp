// Tests of the pickups: placing, waits, loss of their platform, collection, effects, drawing.
#include <gtest/gtest.h>

#include "RulesTestHelpers.h"
#include "game/Bonuses.h"
#include "support/SdlTest.h"

namespace {

// A seed whose first rand() % 300 differs from its first rand() % 120.
unsigned seedTellingLongWaitsFromShort() {
    unsigned seed = 1;
    while (firstDraw(seed, 300) == firstDraw(seed, 120)) {
        ++seed;
    }
    return seed;
}

// The first cell of a cols x rows grid drawn after srand(seed), drawn again while on the
// portal cell.
std::pair<int, int> drawCell(unsigned seed, int cols, int rows, int* redraws = nullptr) {
    std::srand(seed);
    int col = std::rand() % cols, row = std::rand() % rows;
    for (; row == 0 && col == cols - 1; redraws && ++*redraws) {
        col = std::rand() % cols;
        row = std::rand() % rows;
    }
    return {col, row};
}

TEST(BonusPlacementTest, NeverOnThePortalCellColumnDrawnFirst) {
    int redraws = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        Game game = quietGame(1, 0, 3);
        game.bonuses[0] = Bonus{0, 0, false, false, 0, kPointsBonus};
        const auto [col, row] = drawCell(seed, 5, 4, &redraws);
        std::srand(seed);
        updateBonuses(game);
        ASSERT_EQ((Bonus{col, row, true, false, 0, kPointsBonus}), game.bonuses[0]) << seed;
    }
    EXPECT_GT(redraws, 0);
}

TEST(BonusPlacementTest, PassCoversRecordsZeroToTwelveAndCountsHiddenWaits) {
    Game game = quietGame(11, 0, 5);
    game.bonuses[0] = Bonus{1, 1, false, false, 2, kPointsBonus};
    const Bonus visible{2, 2, true, true, 5, kPointsBonus};  // keeps its timer
    const Bonus waiting{1, 1, false, true, 0, kPointsBonus};
    const Bonus underPlayer{0, 5, true, true, 0, kPointsBonus};
    game.bonuses[1] = visible;
    game.bonuses[12] = Bonus{1, 1, false, false, 0, kRecallBonus};
    game.bonuses[13] = waiting;
    game.bonuses[14] = underPlayer;
    updateBonuses(game);
    EXPECT_TRUE(game.bonuses[12].visible);
    EXPECT_EQ(waiting, game.bonuses[13]);
    EXPECT_EQ(underPlayer, game.bonuses[14]);
    EXPECT_EQ(0, game.score);
    for (int timer : {1, 0}) {
        EXPECT_EQ((Bonus{1, 1, false, false, timer, kPointsBonus}), game.bonuses[0]);
        updateBonuses(game);
    }
    EXPECT_TRUE(game.bonuses[0].visible);
    EXPECT_EQ(visible, game.bonuses[1]);
}

TEST(BonusCollectTest, AppliesTheKindsEffectUnlessItsPlatformIsGoneFirst) {
    const unsigned seed = seedTellingLongWaitsFromShort();
    const struct {
        int32_t kind;
        int level, score, lives;
        bool gone;
        int endScore, endLives, waits;
    } cases[] = {{kPointsBonus, 3, 0, 3, false, 120, 3, 120},
                 {kPointsBonus, 15, 10, 3, false, 250, 3, 120},
                 {kPenaltyBonus, 4, 100, 3, false, -250, 3, 120},
                 {kPenaltyBonus, 12, -20, 1, false, -370, 1, 120},
                 {kLifeBonus, 11, 40, 0, false, 40, 1, 120},
                 {kLifeBonus, 14, 0, 7, false, 0, 8, 120},
                 {kPointsBonus, 11, 0, 3, true, 0, 3, 120},
                 {kPenaltyBonus, 11, 0, 3, true, 0, 3, 120},
                 {kLifeBonus, 11, 0, 3, true, 0, 3, 300},
                 {kRecallBonus, 11, 0, 3, true, 0, 3, 300}};
    for (const auto& c : cases) {
        Game game = quietGame(c.level, 2, 3);
        game.score = c.score;
        game.lives = c.lives;
        game.cell(2, 3).present = !c.gone;
        game.enemies[0] = Enemy{4, 4, true, true, 0};
        game.bonuses[0] = Bonus{2, 3, true, true, 0, c.kind};
        std::srand(seed);
        updateBonuses(game);
        SCOPED_TRACE(::testing::Message() << "kind " << c.kind << " level " << c.level);
        EXPECT_EQ((Bonus{2, 3, false, true, firstDraw(seed, c.waits), c.kind}), game.bonuses[0]);
        EXPECT_EQ((std::vector<int>{c.endScore, c.endLives, true}),
                  (std::vector<int>{game.score, game.lives, game.enemies[0].visible}));
    }
}

TEST(BonusCollectTest, RecallSendsBackTheFirstEnabledAndVisibleEnemyOnly) {
    Game game = quietGame(11, 0, 5);
    const Enemy off{3, 3, true, false, 9}, waiting{4, 2, false, true, 5};
    const Enemy on{2, 2, true, true, 0};
    const Enemy enemies[][3] = {{off, waiting, on}, {on, waiting, on}, {off, waiting, off}};
    for (const auto& before : enemies) {
        std::copy(before, before + 3, game.enemies);
        game.bonuses[0] = Bonus{0, 5, true, true, 0, kRecallBonus};
        std::srand(21);
        const int wait = std::rand() % 120;
        const int enemyWait = std::rand() % 125;
        std::srand(21);
        updateBonuses(game);
        EXPECT_EQ(wait, game.bonuses[0].timer);
        const int recalled = before[0].enabled ? 0 : before[2].enabled ? 2 : -1;
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ((i == recalled ? Enemy{7, 0, false, true, enemyWait} : before[i]),
                      game.enemies[i])
                << "enemy " << i;
        }
        if (recalled < 0) {
            EXPECT_EQ(enemyWait, std::rand() % 125);  // only the pickup's wait was drawn
        }
    }
}

class BonusDrawingTest : public SdlTest {
  protected:
    void SetUp() override {
        SdlTest::SetUp();
        const int colours[4][3] = {{255, 0, 255}, {0, 255, 0}, {255, 255, 0}, {0, 255, 255}};
        for (int k = 0; k < 4; ++k) {
            const int* c = colours[k];
            pictures.bonus[k] = solidPicture(screen, 16, 16, c[0], c[1], c[2]);
            colour[k] = asStored(screen, c[0], c[1], c[2]);
        }
    }
    void TearDown() override {
        for (SDL_Surface* picture : pictures.bonus) {
            SDL_FreeSurface(picture);
        }
        SdlTest::TearDown();
    }
    // The pixel (dx, dy) into the pickup picture on cell (col, row) after a frame.
    Rgb at(const Game& game, int col, int row, int dx = 2, int dy = 2) {
        return pixelAt(screen, game.originX + col * game.spacingX - 8 + dx,
                       game.originY + row * game.spacingY - 15 + dy);
    }
    FramePictures pictures;
    Rgb colour[4];
};

TEST_F(BonusDrawingTest, VisibleEnabledPickupsAreDrawnAboveTheirPlatformOthersNot) {
    unsigned seed = 1;  // places a pickup on the bottom row, away from the four below
    while (drawCell(seed, 8, 6).second != 5) {
        ++seed;
    }
    const int col = drawCell(seed, 8, 6).first, wait = std::rand() % 120;
    Game game = quietGame(11, col, 5);
    const int cells[4][2] = {{1, 1}, {3, 2}, {5, 3}, {6, 4}};
    for (int k = 0; k < 4; ++k) {
        game.bonuses[k] = Bonus{cells[k][0], cells[k][1], true, true, 0, k};
    }
    game.bonuses[4] = Bonus{0, 0, false, true, 0, kPointsBonus};     // placed under the player
    game.bonuses[5] = Bonus{col, 5, true, false, 0, kPenaltyBonus};  // switched off
    std::srand(seed);
    fill(screen, 0, 0, 255);
    runFrame(game, screen, 1, pictures);  // not a shrink tick
    EXPECT_EQ(200, game.score);
    EXPECT_EQ((Bonus{col, 5, false, true, wait, kPointsBonus}), game.bonuses[4]);
    EXPECT_EQ((Bonus{col, 5, true, false, 0, kPenaltyBonus}), game.bonuses[5]);
    EXPECT_NE(colour[0], at(game, col, 5));
    EXPECT_NE(colour[1], at(game, col, 5));
    for (int k = 0; k < 4; ++k) {
        const auto [c, r] = cells[k];
        EXPECT_EQ(colour[k], at(game, c, r, 0, 0)) << k;
        EXPECT_EQ(colour[k], at(game, c, r, 15, 15)) << k;
        EXPECT_NE(colour[k], at(game, c, r, -1, 0)) << k;
        EXPECT_NE(colour[k], at(game, c, r, 0, -1)) << k;
    }
}

}  // namespace
