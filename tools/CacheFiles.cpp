// The game's drawn-once letters and platforms written as PNG files, for a build without SDL_gfx.
#include "CacheFiles.h"

#include <SDL/SDL.h>
#include <stb_image_write.h>

#include <cstdint>
#include <vector>

#include "gfx/KeyedSurface.h"
#include "gfx/PictureFiles.h"

namespace {

// One channel of a pixel expanded exactly to 8 bits: its high bits the stored value, its low
// bits repeating that value's top, so 31 of 31 gives 255.
std::uint8_t expand(Uint32 pixel, Uint32 mask, Uint8 shift, Uint8 loss) {
    const Uint32 v = (pixel & mask) >> shift;
    const int bits = 8 - loss;
    return static_cast<std::uint8_t>((v << loss) | (v >> (bits - loss)));
}

// A 16-bit surface as RGBA, its key transparent.
bool writeKeyedPng(const std::string& path, SDL_Surface* s) {
    const SDL_PixelFormat* f = s->format;
    const Uint32 key = SDL_MapRGB(s->format, 255, 0, 255);
    std::vector<std::uint8_t> rgba;
    for (int y = 0; y < s->h; ++y) {
        const Uint16* row =
            reinterpret_cast<const Uint16*>(static_cast<const Uint8*>(s->pixels) + y * s->pitch);
        for (int x = 0; x < s->w; ++x) {
            const Uint32 p = row[x];
            rgba.insert(rgba.end(), {expand(p, f->Rmask, f->Rshift, f->Rloss),
                                     expand(p, f->Gmask, f->Gshift, f->Gloss),
                                     expand(p, f->Bmask, f->Bshift, f->Bloss),
                                     static_cast<std::uint8_t>(p == key ? 0 : 255)});
        }
    }
    return stbi_write_png(path.c_str(), s->w, s->h, 4, rgba.data(), s->w * 4) != 0;
}

// The game's 16-bit screen format, on a surface the caller frees.
SDL_Surface* screenFormat() {
    return SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 16, 0xF800, 0x07E0, 0x1F, 0);
}

}  // namespace

bool writeGlyphSheetFile(const std::string& path) {
    SDL_Surface* screen = screenFormat();
    GlyphSheet glyphs;
    if (screen != nullptr) {
        fillGlyphSheet(glyphs, screen);
    }
    const bool done = glyphs.sheet != nullptr && writeKeyedPng(path, glyphs.sheet);
    freeGlyphSheet(glyphs);
    SDL_FreeSurface(screen);
    return done;
}

bool writePlatformsFile(const std::string& path) {
    SDL_Surface* screen = screenFormat();
    PlatformCache cache;
    SDL_Surface* platforms = nullptr;
    if (screen != nullptr) {
        fillPlatformCache(cache, screen);
        platforms = keyedCanvas(screen->format, kPlatformCell * (PlatformCache::kLargestRx + 1),
                                kPlatformCell * PlatformCache::kShapes);
    }
    bool done = platforms != nullptr;
    forEachPlatformSize([&](int shape, int rx, int) {
        SDL_Rect at{static_cast<Sint16>(kPlatformCell * rx),
                    static_cast<Sint16>(kPlatformCell * shape), 0, 0};
        done = done && SDL_BlitSurface(cache.platforms[shape][rx], nullptr, platforms, &at) == 0;
    });
    done = done && writeKeyedPng(path, platforms);
    SDL_FreeSurface(platforms);
    freePlatformCache(cache);
    SDL_FreeSurface(screen);
    return done;
}
