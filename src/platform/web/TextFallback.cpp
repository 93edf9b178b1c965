// The browser's SDL has no SDL_gfx text. There the game's letters come from the glyph sheet,
// without which it does not start; these stand in for SDL_gfx's text functions that the
// desktop's fallback calls, so that the same sources link, and draw nothing.
#include <SDL/SDL_gfxPrimitives.h>

int characterRGBA(SDL_Surface*, Sint16, Sint16, char, Uint8, Uint8, Uint8, Uint8) {
    return -1;
}

int stringRGBA(SDL_Surface*, Sint16, Sint16, const char*, Uint8, Uint8, Uint8, Uint8) {
    return -1;
}
