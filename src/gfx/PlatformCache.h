// Platforms drawn once per size onto keyed surfaces, then blitted: the same pixels, for less work.
#pragma once

#include <SDL/SDL.h>

// Every platform size the levels produce, each drawn once. Whole platforms have rx - ry = 4
// (rx up to 28, the start and portal cells of the middle band), the first band's gaps
// rx - ry = 2 (rx up to 19), the other bands' gaps rx - ry = 1 (rx up to 17); none is drawn
// with ry under 3. That makes 51 surfaces holding 85,988 bytes of pixels, which SDL swaps
// for a run-length copy of about the same size at each one's first blit.
struct PlatformCache {
    static constexpr int kShapes = 3;
    static constexpr int kLargestRx = 28;
    // A platform that would shrink below this vanishes instead.
    static constexpr int kThinnestRy = 3;
    // rx - ry of a shape, and the largest rx level setup gives it.
    struct Shape {
        int rxOverRy;
        int largestRx;
    };
    static constexpr Shape kShapeSizes[kShapes] = {{4, kLargestRx}, {2, 19}, {1, 17}};
    // By shape (rx - ry of 4, 2, 1) and rx; null for an rx the shape never has, or where a
    // surface could not be made.
    SDL_Surface* platforms[kShapes][kLargestRx + 1] = {};
};

// Calls f(shape, rx, ry) for every size the cache holds.
template <typename F>
void forEachPlatformSize(F f) {
    for (int s = 0; s < PlatformCache::kShapes; ++s) {
        const PlatformCache::Shape& shape = PlatformCache::kShapeSizes[s];
        for (int rx = PlatformCache::kThinnestRy + shape.rxOverRy; rx <= shape.largestRx; ++rx) {
            f(s, rx, rx - shape.rxOverRy);
        }
    }
}

// Draws every size onto a surface of its own in the format of `screen`; the cache is empty
// before.
void fillPlatformCache(PlatformCache& cache, const SDL_Surface* screen);
void freePlatformCache(PlatformCache& cache);
// The drawn platform of radii (rx, ry), centred at (rx, ry) of its surface; null for a size
// the cache does not hold.
SDL_Surface* cachedPlatform(const PlatformCache& cache, int rx, int ry);
// An orange disc with a black rim centred at (x, y): a blit where the cache holds the size,
// else drawn with SDL_gfx; both give the same pixels. A null cache always draws directly.
void drawPlatform(SDL_Surface* screen, int x, int y, int rx, int ry, const PlatformCache* cache);
