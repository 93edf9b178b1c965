// Pictures are converted to the display format once, at load, so blits copy without converting.
#include "gfx/ImageLoader.h"

#include <SDL/SDL_image.h>

#include "platform/ScreenFormat.h"

namespace {
SDL_Surface* loadConverted(const std::string& path) {
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (loaded == nullptr) {
        return nullptr;
    }
    SDL_Surface* converted = toScreenFormat(loaded);
    SDL_FreeSurface(loaded);
    return converted;
}
}  // namespace

SDL_Surface* ImageLoader::loadKeyedImage(std::string path) const {
    SDL_Surface* picture = loadConverted(path);
    if (picture == nullptr) {
        return nullptr;
    }
    makeSeeThrough(picture, 255, 255, 255);
    return picture;
}

SDL_Surface* ImageLoader::loadImage(std::string path) const {
    return loadConverted(path);
}
