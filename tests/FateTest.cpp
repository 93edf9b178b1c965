// Tests of the player's fate: falls, captures, enemies entering at the portal, the portal.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <vector>

#include "RulesTestHelpers.h"
#include "game/Game.h"
#include "support/SdlTest.h"

namespace {

class FateTest : public SdlTest {
  protected:
    void SetUp() override {
        SdlTest::SetUp();
        pictures.enemy[0] = solidPicture(screen, 16, 16, 255, 0, 0);
        enemyColour = asStored(screen, 255, 0, 0);
    }
    void TearDown() override {
        SDL_FreeSurface(pictures.enemy[0]);
        SdlTest::TearDown();
    }
    // A frame that is no shrink tick, so that only the fate rules act.
    void frame(Game& game) {
        fill(screen, 0, 0, 255);
        runFrame(game, screen, 1, pictures);
    }
    // Records the level at every pause, and presses a key during it.
    void watchPauses(Game& game) {
        testWaits().onDelay = [this, &game](Uint32) {
            levelsAtPause.push_back(game.level);
            SDL_Event key{};
            key.type = SDL_KEYDOWN;
            key.key.keysym.sym = SDLK_RIGHT;
            SDL_PushEvent(&key);
        };
    }
    bool inputLeft() {
        SDL_Event event;
        return SDL_PollEvent(&event) != 0;
    }
    FramePictures pictures;
    Rgb enemyColour;
    std::vector<int> levelsAtPause;
};

// --- Falls --------------------------------------------------------------------------------

struct FallCase {
    int level, score, lives;
};

std::ostream& operator<<(std::ostream& out, const FallCase& c) {
    return out << "level " << c.level;
}

class FateFallTest : public FateTest, public ::testing::WithParamInterface<FallCase> {};

TEST_P(FateFallTest, FallCostsOneLifeAndNoPointsAndRebuildsTheLevel) {
    const FallCase c = GetParam();
    Game game;
    quietLevel(game, c.level);
    game.playing = true;
    game.score = c.score;
    game.lives = c.lives;
    game.movePlayer('X', true);
    game.cell(1, game.rows - 1).present = false;
    watchPauses(game);
    frame(game);

    EXPECT_EQ(c.level, game.level);
    EXPECT_EQ(c.score, game.score);
    EXPECT_EQ(c.lives - 1, game.lives);
    EXPECT_TRUE(game.playing);
    EXPECT_EQ(0, game.playerCol);
    EXPECT_EQ(game.rows - 1, game.playerRow);
    // Rebuilt: level setup placed record 0 again.
    EXPECT_TRUE(game.bonuses[0].enabled);
    EXPECT_TRUE(game.bonuses[0].visible);
    EXPECT_EQ(1, testWaits().delayCalls);
    EXPECT_EQ(3000u, testWaits().totalMs);
    EXPECT_FALSE(inputLeft());  // the key pressed during the pause is gone
}

INSTANTIATE_TEST_SUITE_P(Levels, FateFallTest,
                         ::testing::Values(FallCase{1, 200, 2}, FallCase{7, 1234, 3},
                                           FallCase{13, -100, 1}));

TEST_F(FateTest, FallWithNoLifeLeftEndsTheGameWithoutPause) {
    Game game;
    quietLevel(game, 4);
    game.playing = true;
    game.score = 450;
    game.lives = 0;
    game.startCell().present = false;
    frame(game);
    EXPECT_EQ(-1, game.level);
    EXPECT_FALSE(game.playing);
    EXPECT_EQ(450, game.score);
    EXPECT_EQ(0, game.lives);
    EXPECT_EQ(0, testWaits().delayCalls);
}

// --- Captures -----------------------------------------------------------------------------

TEST_F(FateTest, CaptureRestoresTheStartCellAndSendsTheEnemyBack) {
    Game game;
    quietLevel(game, 6);
    game.playing = true;
    game.lives = 2;
    game.playerCol = 2;
    game.playerRow = 2;
    game.enemies[0] = Enemy{2, 2, true, true, 0};
    game.startCell() = Cell{25, 215, 4, 3, 23, 19, false, 7};
    game.cell(3, 3).rx = 9;
    const unsigned seed = 8;
    const int wait = firstDraw(seed, 125);
    std::srand(seed);
    frame(game);

    EXPECT_EQ(1, game.lives);
    EXPECT_EQ(6, game.level);
    EXPECT_EQ(0, game.playerCol);
    EXPECT_EQ(4, game.playerRow);
    EXPECT_EQ((Cell{25, 215, 23, 19, 23, 19, true, 0}), game.startCell());
    EXPECT_EQ((Enemy{5, 0, false, true, wait}), game.enemies[0]);
    EXPECT_EQ(9, game.cell(3, 3).rx);  // the board is not rebuilt
    EXPECT_EQ(1, testWaits().delayCalls);
    EXPECT_EQ(3000u, testWaits().totalMs);
}

TEST_F(FateTest, SecondEnemyOnTheSameCellIsComparedWithTheStartCell) {
    Game game;
    quietLevel(game, 11);
    game.lives = 2;
    game.playerCol = 3;
    game.playerRow = 3;
    game.enemies[0] = Enemy{3, 3, true, true, 0};
    game.enemies[1] = Enemy{3, 3, true, true, 0};
    frame(game);
    EXPECT_EQ(1, game.lives);
    EXPECT_FALSE(game.enemies[0].visible);
    EXPECT_EQ((Enemy{3, 3, true, true, 0}), game.enemies[1]);
    EXPECT_EQ(1, testWaits().delayCalls);
}

TEST_F(FateTest, EnemyOnTheStartCellCatchesThePlayerSentThereBySomeoneElse) {
    Game game;
    quietLevel(game, 11);
    game.lives = 2;
    game.playerCol = 3;
    game.playerRow = 3;
    game.enemies[0] = Enemy{3, 3, true, true, 0};
    game.enemies[1] = Enemy{0, 5, true, true, 0};
    std::srand(30);
    const int firstWait = std::rand() % 125;
    const int secondWait = std::rand() % 125;
    std::srand(30);
    frame(game);
    EXPECT_EQ(0, game.lives);
    EXPECT_EQ((Enemy{7, 0, false, true, firstWait}), game.enemies[0]);
    EXPECT_EQ((Enemy{7, 0, false, true, secondWait}), game.enemies[1]);
    EXPECT_EQ(2, testWaits().delayCalls);
}

TEST_F(FateTest, LastLifeLostToTwoEnemiesEndsTheGameWithoutPause) {
    Game game;
    quietLevel(game, 12);
    game.playing = true;
    game.lives = 0;
    game.playerCol = 3;
    game.playerRow = 3;
    game.enemies[0] = Enemy{3, 3, true, true, 0};
    game.enemies[1] = Enemy{3, 3, true, true, 0};
    frame(game);
    EXPECT_EQ(-1, game.level);
    EXPECT_FALSE(game.playing);
    EXPECT_EQ(0, game.lives);
    EXPECT_EQ(0, testWaits().delayCalls);
}

TEST_F(FateTest, HiddenOrSwitchedOffEnemyCatchesNobody) {
    Game game;
    quietLevel(game, 11);
    game.playerCol = 3;
    game.playerRow = 3;
    game.enemies[0] = Enemy{3, 3, false, true, 5};
    game.enemies[2] = Enemy{3, 3, true, false, 0};
    frame(game);
    EXPECT_EQ(3, game.lives);
    EXPECT_EQ(3, game.playerCol);
    EXPECT_EQ(0, testWaits().delayCalls);
}

// --- Enemies entering at the portal -------------------------------------------------------

TEST_F(FateTest, EnemyEntersInTheFrameItsWaitIsFoundAtZeroAndIsDrawnAtThePortal) {
    Game game;
    quietLevel(game, 6);  // portal cell (5, 0): enemy picture at (285, 40)
    game.enemies[0] = Enemy{2, 3, false, true, 1};
    frame(game);
    EXPECT_EQ((Enemy{2, 3, false, true, 0}), game.enemies[0]);
    EXPECT_NE(enemyColour, pixelAt(screen, 285, 40));

    frame(game);
    EXPECT_EQ((Enemy{5, 0, true, true, 0}), game.enemies[0]);
    EXPECT_EQ(enemyColour, pixelAt(screen, 285, 40));
    EXPECT_EQ(enemyColour, pixelAt(screen, 285 + 15, 40 + 15));
    EXPECT_NE(enemyColour, pixelAt(screen, 284, 40));
}

TEST_F(FateTest, EnemyLosingItsPlatformWithNoWaitReturnsInTheSameFrame) {
    unsigned seed = 1;
    while (firstDraw(seed, 125) != 0) {
        ++seed;
    }
    Game game;
    quietLevel(game, 6);
    game.enemies[0] = Enemy{2, 3, true, true, 40};
    game.cell(2, 3).present = false;
    std::srand(seed);
    frame(game);
    EXPECT_EQ((Enemy{5, 0, true, true, 0}), game.enemies[0]);
    EXPECT_EQ(enemyColour, pixelAt(screen, 285, 40));
}

TEST_F(FateTest, EnemyLosingItsPlatformWaitsAtThePortalHidden) {
    const unsigned seed = 3;
    const int wait = firstDraw(seed, 125);
    ASSERT_GT(wait, 0);
    Game game;
    quietLevel(game, 6);
    game.enemies[0] = Enemy{2, 3, true, true, 0};
    game.cell(2, 3).present = false;
    std::srand(seed);
    frame(game);
    // Hidden at the portal cell; the first frame of the wait has passed.
    EXPECT_EQ((Enemy{5, 0, false, true, wait - 1}), game.enemies[0]);
    EXPECT_NE(enemyColour, pixelAt(screen, 285, 40));
}

TEST_F(FateTest, WaitingEnemyWhosePlatformVanishesStartsItsWaitAgain) {
    const unsigned seed = 3;
    const int wait = firstDraw(seed, 125);
    ASSERT_NE(50, wait);
    Game game;
    quietLevel(game, 11);
    game.enemies[1] = Enemy{2, 3, false, true, 50};  // moved there while it waited
    game.cell(2, 3).present = false;
    std::srand(seed);
    frame(game);
    EXPECT_EQ((Enemy{7, 0, false, true, wait - 1}), game.enemies[1]);
}

// --- The portal ---------------------------------------------------------------------------

TEST_F(FateTest, EnemyEnteringOnThePlayerAtThePortalCatchesHimFirst) {
    Game game;
    quietLevel(game, 6);
    game.playing = true;
    game.playerCol = 5;
    game.playerRow = 0;
    game.enemies[0] = Enemy{1, 1, false, true, 0};
    frame(game);
    EXPECT_EQ(2, game.lives);
    EXPECT_EQ(6, game.level);
    EXPECT_EQ(0, game.score);
    EXPECT_EQ(0, game.playerCol);
    EXPECT_EQ(4, game.playerRow);
    EXPECT_EQ(1, testWaits().delayCalls);
}

struct PortalCase {
    int level, nextLevel, cols;
    bool stillPlaying;
};

std::ostream& operator<<(std::ostream& out, const PortalCase& c) {
    return out << "level " << c.level;
}

class FatePortalTest : public FateTest, public ::testing::WithParamInterface<PortalCase> {};

TEST_P(FatePortalTest, PortalPausesThenSetsUpTheNextLevelThenAdds500) {
    const PortalCase c = GetParam();
    Game game;
    quietLevel(game, c.level);
    game.playing = true;
    game.score = 1000;
    game.playerCol = game.cols - 1;
    game.playerRow = 0;
    watchPauses(game);
    frame(game);
    EXPECT_EQ(c.nextLevel, game.level);
    EXPECT_EQ(c.stillPlaying, game.playing);
    EXPECT_EQ(1500, game.score);
    EXPECT_EQ(c.cols, game.cols);
    EXPECT_EQ(std::vector<int>{c.level}, levelsAtPause);
    EXPECT_EQ(3000u, testWaits().totalMs);
    EXPECT_FALSE(inputLeft());
    if (c.stillPlaying) {
        EXPECT_EQ(0, game.playerCol);
        EXPECT_EQ(game.rows - 1, game.playerRow);
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, FatePortalTest,
                         ::testing::Values(PortalCase{3, 4, 5, true}, PortalCase{5, 6, 6, true},
                                           PortalCase{10, 11, 8, true},
                                           PortalCase{15, 16, 8, false}));

TEST_F(FateTest, LastLifeLostOnThePortalStillRunsThePortal) {
    Game game;
    quietLevel(game, 6);
    game.playing = true;
    game.lives = 0;
    game.score = 300;
    game.playerCol = 5;
    game.playerRow = 0;
    game.enemies[0] = Enemy{5, 0, true, true, 0};
    watchPauses(game);
    frame(game);
    EXPECT_EQ(std::vector<int>{-1}, levelsAtPause);
    EXPECT_EQ(0, game.level);
    EXPECT_FALSE(game.playing);
    EXPECT_EQ(800, game.score);
    EXPECT_EQ(0, game.lives);
}

}  // namespace
