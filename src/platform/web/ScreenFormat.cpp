// Pictures made ready for the browser's screen. Its SDL gives every surface 32 bits with an
// alpha channel and ignores colour keys, so the see-through colour becomes alpha 0 instead.
#include <emscripten.h>

#include "platform/ScreenFormat.h"

namespace {
// The colour the desktop's 5-6-5 screen holds for (r, g, b). Its key is compared there, so a
// pixel is see-through here exactly when the desktop keys it out.
Uint16 asShownAt16Bits(Uint8 r, Uint8 g, Uint8 b) {
    return static_cast<Uint16>((r >> 3) << 11 | (g >> 2) << 5 | b >> 3);
}

// The browser's SDL fills in a format's masks but not its shifts.
Uint8 channel(Uint32 pixel, Uint32 mask) {
    return static_cast<Uint8>((pixel & mask) >> __builtin_ctz(mask));
}
}  // namespace

SDL_Surface* toScreenFormat(SDL_Surface* picture) {
    return SDL_ConvertSurface(picture, picture->format, SDL_SWSURFACE);
}

void makeSeeThrough(SDL_Surface* picture, Uint8 r, Uint8 g, Uint8 b) {
    const SDL_PixelFormat* f = picture->format;
    const Uint16 key = asShownAt16Bits(r, g, b);
    SDL_LockSurface(picture);
    for (int y = 0; y < picture->h; ++y) {
        Uint32* row = static_cast<Uint32*>(picture->pixels) + y * picture->pitch / 4;
        for (int x = 0; x < picture->w; ++x) {
            const Uint16 shown = asShownAt16Bits(
                channel(row[x], f->Rmask), channel(row[x], f->Gmask), channel(row[x], f->Bmask));
            row[x] = shown == key ? row[x] & ~f->Amask : row[x] | f->Amask;
        }
    }
    SDL_UnlockSurface(picture);
}

SDL_Surface* pieceOf(SDL_Surface* sheet, int x, int y, int w, int h) {
    const SDL_PixelFormat* f = sheet->format;
    SDL_Surface* piece = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, f->BitsPerPixel, f->Rmask,
                                              f->Gmask, f->Bmask, f->Amask);
    if (piece != nullptr) {
        SDL_Rect from{static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w),
                      static_cast<Uint16>(h)};
        SDL_BlitSurface(sheet, &from, piece, nullptr);
    }
    return piece;
}
