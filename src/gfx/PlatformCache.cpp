// Platforms drawn once per size onto keyed surfaces, then blitted: the same pixels, for less work.
#include "gfx/PlatformCache.h"

#include <SDL/SDL_gfxPrimitives.h>

#include "gfx/KeyedSurface.h"
#include "gfx/Painter.h"

namespace {

void drawDirectly(SDL_Surface* surface, int x, int y, int rx, int ry) {
    const Sint16 cx = static_cast<Sint16>(x);
    const Sint16 cy = static_cast<Sint16>(y);
    const Sint16 srx = static_cast<Sint16>(rx);
    const Sint16 sry = static_cast<Sint16>(ry);
    filledEllipseRGBA(surface, cx, cy, srx, sry, 200, 115, 30, 255);
    ellipseRGBA(surface, cx, cy, srx, sry, 0, 0, 0, 255);
}

SDL_Surface* drawOnce(const SDL_PixelFormat* f, int rx, int ry) {
    SDL_Surface* surface = keyedCanvas(f, 2 * rx + 1, 2 * ry + 1);
    if (surface != nullptr) {
        drawDirectly(surface, rx, ry, rx, ry);
        setKey(surface);
    }
    return surface;
}

}  // namespace

void fillPlatformCache(PlatformCache& cache, const SDL_Surface* screen) {
    forEachPlatformSize([&](int shape, int rx, int ry) {
        cache.platforms[shape][rx] = drawOnce(screen->format, rx, ry);
    });
}

void freePlatformCache(PlatformCache& cache) {
    for (auto& shape : cache.platforms) {
        for (SDL_Surface*& platform : shape) {
            SDL_FreeSurface(platform);
            platform = nullptr;
        }
    }
}

SDL_Surface* cachedPlatform(const PlatformCache& cache, int rx, int ry) {
    if (ry < PlatformCache::kThinnestRy) {
        return nullptr;
    }
    for (int s = 0; s < PlatformCache::kShapes; ++s) {
        if (rx - ry == PlatformCache::kShapeSizes[s].rxOverRy &&
            rx <= PlatformCache::kShapeSizes[s].largestRx) {
            return cache.platforms[s][rx];
        }
    }
    return nullptr;
}

void drawPlatform(SDL_Surface* screen, int x, int y, int rx, int ry, const PlatformCache* cache) {
    SDL_Surface* drawn = cache != nullptr ? cachedPlatform(*cache, rx, ry) : nullptr;
    if (drawn != nullptr) {
        // Its centre (rx, ry) lands on (x, y), where the direct calls would centre it.
        drawPicture(Painter(), drawn, screen, x - rx, y - ry);
    } else {
        drawDirectly(screen, x, y, rx, ry);
    }
}
