// Platforms blitted from the cache land on exactly the pixels that SDL_gfx's calls draw.
#include <set>

#include <SDL/SDL_image.h>

#include "game/Board.h"
#include "gfx/PictureFiles.h"
#include "support/SdlTest.h"

namespace {

using PlatformCacheTest = PicturesTest;

// Per band: every size its platforms are drawn at (whole ones, gaps, the start and portal
// cells, and all they shrink to, over many level setups) at every cell of the grid, edges
// included, later cells over earlier ones; each with its black rim.
TEST_F(PlatformCacheTest, PlatformsOfEveryBandAreBlittedOntoThePixelsTheDirectCallsDraw) {
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
            const Cell& last = game.cell(game.cols - 1, game.rows - 1);  // drawn last: its rim
            EXPECT_EQ(0u, pixelAt(screen, last.x - rx, last.y)) << rx << " x " << ry;
        }
    }
}

// Read back, the generator's files hold every pixel and key drawn at start-up, the platforms'
// colours expanded exactly (low bits repeating high bits); a missing or too small file leaves
// the cache or sheet empty.
TEST_F(PlatformCacheTest, PictureFilesHoldThePlatformsAndLettersDrawnAtStartUp) {
    Pictures read, none;
    SDL_Surface* png = IMG_Load(kPlatformsFile);
    ASSERT_TRUE(loadPlatformCache(read.platforms, kPlatformsFile, screen) &&
                loadGlyphSheet(read.glyphs, kGlyphSheetFile, screen) && png &&
                png->format->BitsPerPixel == 32);
    const auto same = [](SDL_Surface* a, SDL_Surface* b) {
        return a && b && a->flags == b->flags && a->w == b->w && pixels(a) == pixels(b) &&
               a->format->colorkey == b->format->colorkey;
    };
    EXPECT_TRUE(same(pictures.glyphs.sheet, read.glyphs.sheet));
    forEachPlatformSize([&](int shape, int rx, int) {
        EXPECT_TRUE(
            same(pictures.platforms.platforms[shape][rx], read.platforms.platforms[shape][rx]));
    });
    for (int i = 0; i < png->w * png->h; ++i) {  // the first cell holds no platform
        Uint8 r, g, b, a;
        SDL_GetRGBA(static_cast<Uint32*>(png->pixels)[i], png->format, &r, &g, &b, &a);
        const bool exact = (r & 7) == r >> 5 && (g & 3) == g >> 6 && (b & 7) == b >> 5;
        ASSERT_TRUE(i == 0 ? a == 0 : a == 0 || (a == 255 && exact)) << i;
    }
    SDL_FreeSurface(png);
    EXPECT_TRUE(!loadPlatformCache(none.platforms, kGlyphSheetFile, screen) &&
                !loadGlyphSheet(none.glyphs, "missing.png", screen) &&
                !cachedPlatform(none.platforms, 28, 24) && !none.glyphs.sheet);
    freePictures(read);
}

}  // namespace
