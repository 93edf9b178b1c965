// Platforms drawn once per size onto keyed surfaces, then blitted: the same pixels, for less work.
#include "gfx/PlatformCache.h"

#include <SDL/SDL_gfxPrimitives.h>

#include "gfx/Painter.h"

namespace {

// rx - ry of a shape, and the largest rx level setup gives it.
struct Shape {
    int rxOverRy;
    int largestRx;
};
constexpr Shape kShapes[PlatformCache::kShapes] = {
    {4, PlatformCache::kLargestRx}, {2, 19}, {1, 17}};
// A platform that would shrink below this vanishes instead.
constexpr int kThinnestRy = 3;

void drawDirectly(SDL_Surface* surface, int x, int y, int rx, int ry) {
    const Sint16 cx = static_cast<Sint16>(x);
    const Sint16 cy = static_cast<Sint16>(y);
    const Sint16 srx = static_cast<Sint16>(rx);
    const Sint16 sry = static_cast<Sint16>(ry);
    filledEllipseRGBA(surface, cx, cy, srx, sry, 200, 115, 30, 255);
    ellipseRGBA(surface, cx, cy, srx, sry, 0, 0, 0, 255);
}

// The key is magenta, 0xF81F at 16 bpp, a value neither the fill (0xCB83) nor the rim (0)
// takes there.
SDL_Surface* drawOnce(const SDL_PixelFormat* f, int rx, int ry) {
    SDL_Surface* surface =
        SDL_CreateRGBSurface(SDL_SWSURFACE, 2 * rx + 1, 2 * ry + 1, f->BitsPerPixel, f->Rmask,
                             f->Gmask, f->Bmask, f->Amask);
    if (surface == nullptr) {
        return nullptr;
    }
    const Uint32 key = SDL_MapRGB(surface->format, 255, 0, 255);
    SDL_FillRect(surface, nullptr, key);
    drawDirectly(surface, rx, ry, rx, ry);
    SDL_SetColorKey(surface, SDL_SRCCOLORKEY | SDL_RLEACCEL, key);
    return surface;
}

}  // namespace

void fillPlatformCache(PlatformCache& cache, const SDL_Surface* screen) {
    for (int s = 0; s < PlatformCache::kShapes; ++s) {
        const Shape& shape = kShapes[s];
        for (int rx = kThinnestRy + shape.rxOverRy; rx <= shape.largestRx; ++rx) {
            cache.platforms[s][rx] = drawOnce(screen->format, rx, rx - shape.rxOverRy);
        }
    }
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
    if (ry < kThinnestRy) {
        return nullptr;
    }
    for (int s = 0; s < PlatformCache::kShapes; ++s) {
        if (rx - ry == kShapes[s].rxOverRy && rx <= kShapes[s].largestRx) {
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
