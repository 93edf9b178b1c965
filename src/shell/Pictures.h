// The pictures loaded once at start-up.
#pragma once

#include <SDL/SDL.h>

#include "gfx/GlyphSheet.h"
#include "gfx/PlatformCache.h"

struct Pictures {
    SDL_Surface* player = nullptr;
    SDL_Surface* portal = nullptr;
    SDL_Surface* background = nullptr;
    SDL_Surface* bonus[4] = {};
    SDL_Surface* enemy[3] = {};
    SDL_Surface* intro = nullptr;
    SDL_Surface* nameScreen = nullptr;
    SDL_Surface* menu = nullptr;
    SDL_Surface* nameEntry = nullptr;
    PlatformCache platforms;
    GlyphSheet glyphs;
};

// Loads every picture of gfx/PictureList.h from Images/ below the working folder, the menu's and
// the name entry's too, so that a screen never finds its picture gone (as when the game is removed
// while it runs), and draws the platforms and the letters in the screen's format. Writes a line to
// standard error for each picture that fails and returns false if any did; a platform whose surface
// cannot be made, and all text when the glyph sheet cannot be, is drawn with SDL_gfx.
bool loadPictures(Pictures& pictures);
void freePictures(Pictures& pictures);
