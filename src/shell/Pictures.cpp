// The pictures loaded once at start-up.
#include "shell/Pictures.h"

#include <SDL/SDL_image.h>

#include <cstdio>

#include "gfx/ImageLoader.h"
#include "platform/DrawnOnce.h"

namespace {
struct Slot {
    const char* path;
    bool keyed;
    SDL_Surface** picture;
};
}  // namespace

bool loadPictures(Pictures& p) {
    const Slot slots[] = {
#define KEYED(field, file) {"Images/" file, true, &p.field},
#define PLAIN(field, file) {"Images/" file, false, &p.field},
#include "gfx/PictureList.h"
    };
    ImageLoader loader;
    bool all = true;
    for (const Slot& slot : slots) {
        SDL_Surface* picture =
            slot.keyed ? loader.loadKeyedImage(slot.path) : loader.loadImage(slot.path);
        if (picture == nullptr) {
            std::fprintf(stderr, "Couldn't load picture %s: %s\n", slot.path, IMG_GetError());
            all = false;
        }
        *slot.picture = picture;
    }
    // Drawn once here rather than in a play pass.
    if (SDL_GetVideoSurface() != nullptr) {
        all = makeDrawnOnce(p.platforms, p.glyphs, SDL_GetVideoSurface()) && all;
    }
    return all;
}

void freePictures(Pictures& p) {
    SDL_Surface** all[] = {
#define KEYED(field, file) &p.field,
#define PLAIN(field, file) &p.field,
#include "gfx/PictureList.h"
    };
    for (SDL_Surface** picture : all) {
        SDL_FreeSurface(*picture);
        *picture = nullptr;
    }
    freePlatformCache(p.platforms);
    freeGlyphSheet(p.glyphs);
}
