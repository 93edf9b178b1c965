// The platforms and letters drawn once at start-up: drawn with SDL_gfx on the desktop and the
// handheld, read from the picture generator's files in the browser, whose SDL has no SDL_gfx
// text and draws ellipses its own way.
#pragma once

#include <SDL/SDL.h>

struct GlyphSheet;
struct PlatformCache;

// Fills the empty cache and sheet in the format of `screen`. Returns false when the game
// cannot draw its letters and platforms as it should: never where SDL_gfx draws what is
// missing.
bool makeDrawnOnce(PlatformCache& platforms, GlyphSheet& glyphs, const SDL_Surface* screen);
