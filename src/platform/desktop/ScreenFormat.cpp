// Pictures made ready for the screen with SDL's own conversion and an RLE colour key.
#include "platform/ScreenFormat.h"

SDL_Surface* toScreenFormat(SDL_Surface* picture) {
    return SDL_DisplayFormat(picture);
}

void makeSeeThrough(SDL_Surface* picture, Uint8 r, Uint8 g, Uint8 b) {
    SDL_SetColorKey(picture, SDL_SRCCOLORKEY | SDL_RLEACCEL, SDL_MapRGB(picture->format, r, g, b));
}

SDL_Surface* pieceOf(SDL_Surface* sheet, int x, int y, int w, int h) {
    const SDL_PixelFormat* f = sheet->format;
    Uint8* start = static_cast<Uint8*>(sheet->pixels) + y * sheet->pitch + x * f->BytesPerPixel;
    return SDL_CreateRGBSurfaceFrom(start, w, h, f->BitsPerPixel, sheet->pitch, f->Rmask, f->Gmask,
                                    f->Bmask, f->Amask);
}
