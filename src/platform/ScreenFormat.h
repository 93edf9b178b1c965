// Pictures made ready for the screen: converted to its format and given their see-through
// colour, which the browser's SDL, ignoring colour keys, gives as alpha instead.
#pragma once

#include <SDL/SDL.h>

// A new surface holding picture in the screen's format, or null; picture is left as it was.
SDL_Surface* toScreenFormat(SDL_Surface* picture);
// Makes the pixels that show (r, g, b) on the screen see-through in every later blit.
void makeSeeThrough(SDL_Surface* picture, Uint8 r, Uint8 g, Uint8 b);
// A w x h surface showing the piece of sheet at (x, y), for a blit of a whole small surface
// instead of a piece of a large one; null on failure. On the desktop it shares the sheet's
// pixels; in the browser, whose SDL cannot share them, it is a copy.
SDL_Surface* pieceOf(SDL_Surface* sheet, int x, int y, int w, int h);
