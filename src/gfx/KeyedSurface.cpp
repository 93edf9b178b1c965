// Surfaces keyed with magenta, which the drawn-once platforms and letters never take.
#include "gfx/KeyedSurface.h"

#include "platform/ScreenFormat.h"

namespace {
// 0xF81F at 16 bpp: neither black (text, platform rims) nor the platforms' orange (0xCB83).
Uint32 keyOf(const SDL_Surface* surface) {
    return SDL_MapRGB(surface->format, 255, 0, 255);
}
}  // namespace

SDL_Surface* keyedCanvas(const SDL_PixelFormat* f, int w, int h) {
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, f->BitsPerPixel, f->Rmask,
                                                f->Gmask, f->Bmask, f->Amask);
    if (surface != nullptr) {
        SDL_FillRect(surface, nullptr, keyOf(surface));
    }
    return surface;
}

void setKey(SDL_Surface* surface) {
    makeSeeThrough(surface, 255, 0, 255);
}
