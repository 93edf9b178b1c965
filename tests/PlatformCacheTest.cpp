// Platforms blitted from the cache land on exactly the pixels that SDL_gfx's calls draw.
#include <set>

#include "game/Board.h"
#include "shell/Pictures.h"
#include "support/SdlTest.h"
#include "support/WorkFolder.h"

namespace {

using PlatformCacheTest = SdlTest;

// Per band: every size its platforms are drawn at (whole ones, gaps, the start and portal
// cells, and all they shrink to, over many level setups) at every cell of the grid, edges
// included, later cells over earlier ones.
TEST_F(PlatformCacheTest, PlatformsOfEveryBandAreBlittedOntoThePixelsTheDirectCallsDraw) {
    WorkFolder folder;
    Pictures pictures;
    ASSERT_TRUE(loadPictures(pictures));  // the background, and the platforms drawn once
    const auto shot = [&](auto draw) {
        drawPicture(Painter(), pictures.background, screen, 0, 0);
        draw();
        return pixels(screen);
    };
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
            ASSERT_NE(nullptr, cachedPlatform(pictures.platforms, rx, ry)) << rx << " x " << ry;
            PlatformDrawing grid;
            for (int i = 0; i < game.cols * game.rows; ++i) {
                const Cell& cell = game.cell(i / game.rows, i % game.rows);
                grid.ellipses[grid.count++] = {cell.x, cell.y, rx, ry};
            }
            EXPECT_TRUE(shot([&] { drawPlatforms(screen, grid, nullptr); }) ==
                        shot([&] { drawPlatforms(screen, grid, &pictures.platforms); }))
                << "level " << level << ", " << rx << " x " << ry;
        }
    }
    freePictures(pictures);
}

}  // namespace
