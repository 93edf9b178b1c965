// Tests of the player's fate: falls, captures, enemies entering at the portal, the portal.
#include <gtest/gtest.h>

#include "RulesTestHelpers.h"
#include "support/SdlTest.h"

namespace {

class FateTest : public SdlTest {
  protected:
    void SetUp() override {
        SdlTest::SetUp();
        pictures.enemy[0] = solidPicture(screen, 16, 16, 255, 0, 0);
    }
    void TearDown() override {
        SDL_FreeSurface(pictures.enemy[0]);
        SdlTest::TearDown();
    }
    // A frame that is no shrink tick, so that only the fate rules act. Returns the level at
    // each three-second pause; a key pressed during a pause is gone afterwards.
    std::vector<int> frame(Game& game) {
        std::vector<int> pauses;
        testWaits() = WaitHooks{};
        testWaits().onDelay = [&](Uint32 ms) {
            EXPECT_EQ(3000u, ms);
            pauses.push_back(game.level);
            SDL_Event key{};
            key.type = SDL_KEYDOWN;
            SDL_PushEvent(&key);
        };
        fill(screen, 0, 0, 255);
        runFrame(game, screen, 1, pictures);
        SDL_Event event;
        EXPECT_EQ(0, SDL_PollEvent(&event)) << "input left after a pause";
        return pauses;
    }
    // Enemy 0's picture at (x, y) and not left of it: (285, 40) is the portal cell at levels 6-10.
    bool enemyAt(int x, int y) {
        const Rgb red = asStored(screen, 255, 0, 0);
        return pixelAt(screen, x, y) == red && pixelAt(screen, x + 15, y + 15) == red &&
               pixelAt(screen, x - 1, y) != red;
    }
    FramePictures pictures;
};

using Pauses = std::vector<int>;

TEST_F(FateTest, FallCostsOneLifeAndNoPointsAndRebuildsTheLevelOrEndsTheGame) {
    const struct {
        int level, score, lives;
    } cases[] = {{1, 200, 2}, {7, 1234, 3}, {13, -100, 1}, {4, 450, 0}};
    for (const auto& c : cases) {
        Game game = quietGame(c.level, 1, 0);
        game.playerRow = game.rows - 1;
        game.score = c.score;
        game.lives = c.lives;
        game.cell(1, game.rows - 1).present = false;
        if (c.lives == 0) {  // no life left: the game ends without a pause
            EXPECT_EQ(Pauses{}, frame(game));
            EXPECT_EQ((std::vector<int>{-1, 0, c.score, 1, game.rows - 1, false}), state(game));
            continue;
        }
        EXPECT_EQ(Pauses{c.level}, frame(game));
        EXPECT_EQ((std::vector<int>{c.level, c.lives - 1, c.score, 0, game.rows - 1, true}),
                  state(game));
        EXPECT_TRUE(game.bonuses[0].enabled && game.bonuses[0].visible);  // level set up again
    }
}

TEST_F(FateTest, CaptureRestoresTheStartCellAndSendsTheEnemyBack) {
    Game game = quietGame(6, 2, 2);
    game.lives = 2;
    game.enemies[0] = Enemy{2, 2, true, true, 0};
    game.enemies[1] = Enemy{2, 2, false, true, 9};  // hidden: catches nobody
    game.startCell() = Cell{25, 215, 4, 3, 23, 19, false, 7};
    game.cell(3, 3).rx = 9;
    const int wait = firstDraw(8, 125);
    std::srand(8);
    EXPECT_EQ(Pauses{6}, frame(game));
    EXPECT_EQ((std::vector<int>{6, 1, 0, 0, 4, true}), state(game));
    EXPECT_EQ((Cell{25, 215, 23, 19, 23, 19, true, 0}), game.startCell());
    EXPECT_EQ((Enemy{5, 0, false, true, wait}), game.enemies[0]);
    EXPECT_EQ(9, game.cell(3, 3).rx);  // the board is not rebuilt
}

TEST_F(FateTest, SecondEnemyOnThePlayersCellIsComparedWithTheStartCell) {
    Game game = quietGame(11, 3, 3);
    game.enemies[0] = Enemy{3, 3, true, true, 0};
    game.enemies[1] = Enemy{3, 3, true, true, 0};
    game.enemies[2] = Enemy{0, 5, true, false, 0};  // switched off on the start cell
    EXPECT_EQ(Pauses{11}, frame(game));
    EXPECT_EQ((std::vector<int>{11, 2, 0, 0, 5, true}), state(game));
    EXPECT_EQ((Enemy{3, 3, true, true, 0}), game.enemies[1]);
}

TEST_F(FateTest, EnemyEntersInTheFrameItsWaitIsFoundAtZeroAndIsDrawnAtThePortal) {
    Game game = quietGame(6, 0, 4);
    game.enemies[0] = Enemy{2, 3, false, true, 1};
    frame(game);
    EXPECT_EQ((Enemy{2, 3, false, true, 0}), game.enemies[0]);
    EXPECT_FALSE(enemyAt(285, 40));
    frame(game);
    EXPECT_EQ((Enemy{5, 0, true, true, 0}), game.enemies[0]);
    EXPECT_TRUE(enemyAt(285, 40));
}

TEST_F(FateTest, EnemyLosingItsPlatformWaitsAtThePortalHidden) {
    unsigned noWait = 1;
    while (firstDraw(noWait, 125) != 0) {
        ++noWait;
    }
    const int wait = firstDraw(3, 125);
    ASSERT_GT(wait, 1);
    const struct {
        unsigned seed;
        Enemy before, after;  // enemy 0, on cell (2, 3), which is a gap
    } cases[] = {{noWait, {2, 3, true, true, 40}, {5, 0, true, true, 0}},  // back at once
                 {3, {2, 3, true, true, 0}, {5, 0, false, true, wait - 1}},
                 {3, {2, 3, false, true, 50}, {5, 0, false, true, wait - 1}}};  // waits again
    for (const auto& c : cases) {
        Game game = quietGame(6, 0, 4);
        game.enemies[0] = c.before;
        game.cell(2, 3).present = false;
        std::srand(c.seed);
        frame(game);
        EXPECT_EQ(c.after, game.enemies[0]) << "from " << c.before;
        EXPECT_EQ(c.after.visible, enemyAt(285, 40)) << "from " << c.before;
    }
}

TEST_F(FateTest, PortalPausesThenSetsUpTheNextLevelThenAdds500) {
    const int levels[][3] = {{3, 4, 5}, {5, 6, 6}, {10, 11, 8}, {15, 16, 8}};  // to, cols
    for (const auto& [level, next, cols] : levels) {
        Game game = quietGame(level, 0, 0);
        game.playerCol = game.cols - 1;
        game.score = 1000;
        EXPECT_EQ(Pauses{level}, frame(game));
        const bool playing = next <= 15;
        EXPECT_EQ((std::vector<int>{next, 3, 1500, playing ? 0 : cols - 1,
                                    playing ? game.rows - 1 : 0, playing}),
                  state(game));
        EXPECT_EQ(cols, game.cols);
    }
}

TEST_F(FateTest, CaptureComesBeforeThePortalInTheSameFrame) {
    Game game = quietGame(6, 5, 0);
    game.enemies[0] = Enemy{1, 1, false, true, 0};  // enters on the player at the portal
    EXPECT_EQ(Pauses{6}, frame(game));
    EXPECT_EQ((std::vector<int>{6, 2, 0, 0, 4, true}), state(game));

    // With the last life lost the game ends, and then the portal still runs.
    game = quietGame(6, 5, 0);
    game.lives = 0;
    game.score = 300;
    game.enemies[0] = Enemy{5, 0, true, true, 0};
    EXPECT_EQ(Pauses{-1}, frame(game));
    EXPECT_EQ((std::vector<int>{0, 0, 800, 5, 0, false}), state(game));
}

}  // namespace
