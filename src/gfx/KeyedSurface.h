// Surfaces keyed with magenta, which the drawn-once platforms and letters never take.
#pragma once

#include <SDL/SDL.h>

// A w x h surface in the pixel format f, filled with the key; null on failure.
SDL_Surface* keyedCanvas(const SDL_PixelFormat* f, int w, int h);
// Makes the key see-through, run-length encoded as the sprites are.
void setKey(SDL_Surface* surface);
