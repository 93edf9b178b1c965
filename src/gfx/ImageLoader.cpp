// Pictures are converted to the display format once, at load, so blits copy without converting.
#include "gfx/ImageLoader.h"

#include <SDL/SDL_image.h>

namespace {
SDL_Surface* loadConverted(const std::string& path) {
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (loaded == nullptr) {
        return nullptr;
    }
    SDL_Surface* converted = SDL_DisplayFormat(loaded);
    SDL_FreeSurface(loaded);
    return converted;
}
}  // namespace

SDL_Surface* ImageLoader::loadKeyedImage(std::string path) const {
    SDL_Surface* picture = loadConverted(path);
    if (picture == nullptr) {
        return nullptr;
    }
    const Uint32 white = SDL_MapRGB(picture->format, 255, 255, 255);
    SDL_SetColorKey(picture, SDL_SRCCOLORKEY | SDL_RLEACCEL, white);
    return picture;
}

SDL_Surface* ImageLoader::loadImage(std::string path) const {
    return loadConverted(path);
}
