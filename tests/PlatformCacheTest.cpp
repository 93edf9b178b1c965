// Platforms blitted from the cache land on exactly the pixels that SDL_gfx's calls draw.
#include <cstdlib>
#include <set>
#include <string>
#include <utility>

#include "game/Board.h"
#include "shell/Pictures.h"
#include "support/SdlTest.h"
#include "support/WorkFolder.h"

namespace {

class PlatformCacheTest : public SdlTest {
  protected:
    // The screen once `draw` has drawn on the background picture.
    template <class Draw>
    std::string shot(Draw draw) {
        drawPicture(Painter(), pictures.background, screen, 0, 0);
        draw();
        return std::string(static_cast<const char*>(screen->pixels), screen->pitch * screen->h);
    }
    WorkFolder folder;
    Pictures pictures;
};

// Per band: every size its platforms are drawn at (whole ones, gaps, the start and portal
// cells, and all they shrink to, over many level setups) at every cell of the grid, edges
// included, later cells over earlier ones; then a whole board in mid-cycle, pass by pass,
// through nine more shrink ticks.
TEST_F(PlatformCacheTest, PlatformsOfEveryBandAreBlittedOntoThePixelsTheDirectCallsDraw) {
    ASSERT_TRUE(loadPictures(pictures));  // the background, and the platforms drawn once
    const PlatformCache* cache = &pictures.platforms;
    for (int level : {1, 6, 11}) {
        Game game;
        std::set<std::pair<int, int>> sizes;
        for (unsigned seed = 1; seed <= 40; ++seed) {
            std::srand(seed);
            game.setupLevel(level);
            PlatformDrawing drawn = presentPlatforms(game);
            for (int tick = 0; tick <= 24; ++tick, drawn = cyclePlatforms(game)) {
                for (int i = 0; i < drawn.count; ++i) {
                    sizes.insert({drawn.ellipses[i].rx, drawn.ellipses[i].ry});
                }
            }
        }
        for (const auto& [rx, ry] : sizes) {
            SCOPED_TRACE(::testing::Message() << "level " << level << ", " << rx << " x " << ry);
            ASSERT_NE(nullptr, cachedPlatform(*cache, rx, ry));
            PlatformDrawing grid;
            for (int i = 0; i < game.cols * game.rows; ++i) {
                const Cell& cell = game.cell(i / game.rows, i % game.rows);
                grid.ellipses[grid.count++] = {cell.x, cell.y, rx, ry};
            }
            EXPECT_TRUE(shot([&] { drawPlatforms(screen, grid, nullptr); }) ==
                        shot([&] { drawPlatforms(screen, grid, cache); }));
        }

        Game blitted = game;  // the last setup, 24 shrink ticks on
        auto pass = [&](Game& board, int frame, const PlatformCache* platforms) {
            return shot([&] {
                std::srand(static_cast<unsigned>(frame));
                board.updateFrame(screen, frame, nullptr, nullptr, nullptr, nullptr, nullptr,
                                  nullptr, nullptr, nullptr, nullptr, platforms);
            });
        };
        for (int frame = 1; frame <= 13 * 9; ++frame) {
            ASSERT_TRUE(pass(game, frame, nullptr) == pass(blitted, frame, cache))
                << "level " << level << ", frame " << frame;
        }
        PlatformCache mixedUp = *cache;  // whole platforms' slots hold the first band's gaps
        std::swap(mixedUp.platforms[0], mixedUp.platforms[1]);
        game = blitted;
        EXPECT_TRUE(pass(blitted, 1, &mixedUp) != pass(game, 1, cache)) << "level " << level;
    }
    freePictures(pictures);
}

}  // namespace
