// Pictures made ready for the screen: converted to its format and given their see-through
// colour. SdlScreenFormat.cpp on the desktop and the handheld; WebScreenFormat.cpp in the
// browser, whose SDL ignores colour keys.
#pragma once

#include <SDL/SDL.h>

// A new surface holding picture in the screen's format, or null; picture is left as it was.
SDL_Surface* toScreenFormat(SDL_Surface* picture);
// Makes the pixels that show (r, g, b) on the screen see-through in every later blit.
void makeSeeThrough(SDL_Surface* picture, Uint8 r, Uint8 g, Uint8 b);
