// Blitting and text: every picture and every letter on screen goes through here.
#include "gfx/Painter.h"

#include <SDL/SDL_gfxPrimitives.h>

#include <cstdint>

#include "gfx/GlyphSheet.h"

int Painter::blit(SDL_Surface* source, SDL_Surface* destination, int sx, int sy, int dx, int dy,
                  int w, int h) const {
    if (source == nullptr) {
        return -1;
    }
    // SDL rectangles hold 16-bit coordinates and sizes.
    SDL_Rect from{static_cast<Sint16>(sx), static_cast<Sint16>(sy), static_cast<Uint16>(w),
                  static_cast<Uint16>(h)};
    SDL_Rect to{static_cast<Sint16>(dx), static_cast<Sint16>(dy), static_cast<Uint16>(w),
                static_cast<Uint16>(h)};
    return SDL_UpperBlit(source, &from, destination, &to);
}

SDL_Surface* Painter::write(SDL_Surface* destination, const char* text, int x, int y,
                            const GlyphSheet* glyphs) const {
    if (glyphs != nullptr && glyphs->sheet != nullptr) {
        writeGlyphs(*glyphs, destination, text, x, y);
    } else {
        stringRGBA(destination, static_cast<Sint16>(x), static_cast<Sint16>(y), text, 0, 0, 0, 255);
    }
    return destination;
}

void drawPicture(const Painter& painter, SDL_Surface* picture, SDL_Surface* destination, int x,
                 int y) {
    if (picture != nullptr) {
        painter.blit(picture, destination, 0, 0, x, y, picture->w, picture->h);
    }
}
