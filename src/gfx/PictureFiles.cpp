// The drawn-once letters and platforms read from PNG files, for a build without SDL_gfx.
#include "gfx/PictureFiles.h"

#include <SDL/SDL_image.h>

#include "gfx/KeyedSurface.h"

namespace {

// The file as 32-bit pixels whose transparent ones are opaque magenta, which a plain blit
// (alpha off) turns into the key of any format, every other colour cut to its high bits.
SDL_Surface* readKeyed(const char* path, int w, int h) {
    SDL_Surface* loaded = IMG_Load(path);
    if (loaded == nullptr) {
        return nullptr;
    }
    SDL_Surface* rgba =
        SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
    SDL_Surface* file =
        rgba != nullptr ? SDL_ConvertSurface(loaded, rgba->format, SDL_SWSURFACE) : nullptr;
    SDL_FreeSurface(rgba);
    SDL_FreeSurface(loaded);
    if (file == nullptr || file->w < w || file->h < h) {
        SDL_FreeSurface(file);
        return nullptr;
    }
    SDL_LockSurface(file);
    for (int y = 0; y < file->h; ++y) {
        Uint32* row =
            reinterpret_cast<Uint32*>(static_cast<Uint8*>(file->pixels) + y * file->pitch);
        for (int x = 0; x < file->w; ++x) {
            row[x] = (row[x] >> 24) == 0 ? 0xFFFF00FF : row[x];
        }
    }
    SDL_UnlockSurface(file);
    SDL_SetAlpha(file, 0, 255);
    return file;
}

// A keyed w x h copy of the piece of file at (x, y); null when it cannot be made.
SDL_Surface* cutOut(SDL_Surface* file, const SDL_PixelFormat* f, int x, int y, int w, int h) {
    SDL_Surface* piece = keyedCanvas(f, w, h);
    if (piece != nullptr) {
        SDL_Rect from{static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w),
                      static_cast<Uint16>(h)};
        SDL_BlitSurface(file, &from, piece, nullptr);
    }
    return piece;
}

}  // namespace

bool loadGlyphSheet(GlyphSheet& glyphs, const char* path, const SDL_Surface* screen) {
    SDL_Surface* file = readKeyed(path, GlyphSheet::kSide, GlyphSheet::kSide);
    SDL_Surface* sheet =
        file != nullptr ? cutOut(file, screen->format, 0, 0, GlyphSheet::kSide, GlyphSheet::kSide)
                        : nullptr;
    SDL_FreeSurface(file);
    if (sheet != nullptr) {
        takeGlyphSheet(glyphs, sheet);
    }
    return glyphs.sheet != nullptr;
}

bool loadPlatformCache(PlatformCache& cache, const char* path, const SDL_Surface* screen) {
    SDL_Surface* file = readKeyed(path, kPlatformCell * (PlatformCache::kLargestRx + 1),
                                  kPlatformCell * PlatformCache::kShapes);
    bool all = file != nullptr;
    forEachPlatformSize([&](int shape, int rx, int ry) {
        SDL_Surface* platform = all ? cutOut(file, screen->format, kPlatformCell * rx,
                                             kPlatformCell * shape, 2 * rx + 1, 2 * ry + 1)
                                    : nullptr;
        if (platform != nullptr) {
            setKey(platform);
        }
        cache.platforms[shape][rx] = platform;
        all = all && platform != nullptr;
    });
    SDL_FreeSurface(file);
    if (!all) {
        freePlatformCache(cache);
    }
    return all;
}
