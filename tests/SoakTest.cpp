// A long seeded run of the rules with a bot player, checking after every frame what the rules
// promise, and that every kind of event happened.
#include <gtest/gtest.h>

#include <random>

#include "game/Game.h"
#include "shell/PlayPass.h"
#include "support/SdlTest.h"

namespace {

bool inGrid(const Game& game, int col, int row) {
    return col >= 0 && col < game.cols && row >= 0 && row < game.rows;
}

// Steps towards the portal, up first, onto platforms that hold until the next tick and carry
// no enemy, or off a platform about to go; now and then at random.
void botMove(Game& game, std::mt19937& bot) {
    const auto safe = [&](int col, int row) {
        bool safe = inGrid(game, col, row) && game.cell(col, row).present &&
                    game.cell(col, row).ry - game.shrinkStep >= 3;
        for (const Enemy& e : game.enemies) {
            safe = safe && !(e.enabled && e.visible && e.col == col && e.row == row);
        }
        return safe;
    };
    const int c = game.playerCol, r = game.playerRow,
              chance = std::uniform_int_distribution<int>(0, 99)(bot);
    for (const auto& [dc, dr] : {std::pair{0, -1}, {1, 0}, {-1, 0}, {0, 1}}) {
        if (safe(c + dc, r + dr) && (dr < 0 || dc > 0 || !safe(c, r) || chance < 10)) {
            game.movePlayer(dc != 0 ? 'X' : 'Y', dc > 0 || dr > 0);
            return;
        }
    }
}

using SoakTest = PicturesTest;

TEST_F(SoakTest, TwoHundredThousandFramesKeepTheRules) {
    std::srand(1234);
    std::mt19937 bot(99);
    Game game;
    int losses = 0, gameOvers = 0, pickups = 0;
    int levelsEntered[17] = {};  // 16: the game won
    for (int frame = 0, frameCounter = 0; frame < 200000; ++frame) {
        if (!game.playing) {
            game.playing = true;
            game.setupLevel(1);
            ++levelsEntered[1];
        }
        const Game before = game;
        playPass(game, screen, pictures, frameCounter);

        // Level 16 is the game won; 0 follows a game lost on the portal platform.
        const bool lost = game.lives < before.lives || (!game.playing && game.level <= 0);
        const bool next = game.level == before.level + 1;
        levelsEntered[std::max(0, game.level)] += next;
        losses += lost && !next;
        gameOvers += !game.playing && game.level <= 0;
        pickups += game.score != before.score && !next;
        SCOPED_TRACE(frame);
        if (game.playing) {
            ASSERT_TRUE(game.level >= 1 && game.level <= 15 && game.lives >= 0);
            ASSERT_TRUE(inGrid(game, game.playerCol, game.playerRow)) << "player off the grid";
            ASSERT_TRUE(game.cell(game.playerCol, game.playerRow).present) << "on a gap, no loss";
            ASSERT_TRUE(game.portalCell().present) << "portal platform gone";
            for (const Enemy& e : game.enemies) {
                ASSERT_TRUE(!(e.enabled && e.visible) || inGrid(game, e.col, e.row)) << "enemy off";
            }
            botMove(game, bot);
        }
        frameCounter = nextFrameCounter(frameCounter);
    }
    std::printf("soak: %d losses, %d game overs, %d pickups\n", losses, gameOvers, pickups);
    EXPECT_TRUE(losses > 0 && gameOvers > 0 && pickups > 0);
    for (int level = 1; level <= 16; ++level) {
        EXPECT_GE(levelsEntered[level], 2) << "level " << level;
    }
}

}  // namespace
