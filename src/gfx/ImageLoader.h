// Loading pictures into the display's pixel format.
#pragma once

#include <SDL/SDL.h>

#include <string>

struct ImageLoader {
    // A new surface in the display format with white as its transparent colour, or null.
    SDL_Surface* loadKeyedImage(std::string path) const;
    // A new surface in the display format without a colour key, or null.
    SDL_Surface* loadImage(std::string path) const;
};
