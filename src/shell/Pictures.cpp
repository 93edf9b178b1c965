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
        {"Images/char.png", true, &p.player},       {"Images/portal.png", true, &p.portal},
        {"Images/image.jpg", false, &p.background}, {"Images/bbonus.png", true, &p.bonus[0]},
        {"Images/obonus.png", true, &p.bonus[1]},   {"Images/rbonus.png", true, &p.bonus[2]},
        {"Images/gbonus.png", true, &p.bonus[3]},   {"Images/enemy1.png", true, &p.enemy[0]},
        {"Images/enemy2.png", true, &p.enemy[1]},   {"Images/enemy3.png", true, &p.enemy[2]},
        {"Images/intro.png", true, &p.intro},       {"Images/namescreen.png", true, &p.nameScreen},
        {"Images/menu.png", true, &p.menu},         {"Images/menu2.jpg", false, &p.nameEntry},
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
    SDL_Surface** all[] = {&p.player,   &p.portal,     &p.background, &p.bonus[0], &p.bonus[1],
                           &p.bonus[2], &p.bonus[3],   &p.enemy[0],   &p.enemy[1], &p.enemy[2],
                           &p.intro,    &p.nameScreen, &p.menu,       &p.nameEntry};
    for (SDL_Surface** picture : all) {
        SDL_FreeSurface(*picture);
        *picture = nullptr;
    }
    freePlatformCache(p.platforms);
    freeGlyphSheet(p.glyphs);
}
