// Full screen on the desktop: the window's keys that toggle it, and the switch between the
// window and the desktop's own mode.
#include "platform/desktop/FullScreen.h"

#include "platform/Screen.h"

namespace {
// The largest full-screen mode, which is the desktop's own.
SDL_Rect fullScreenSize() {
    SDL_Rect** modes = SDL_ListModes(nullptr, SDL_FULLSCREEN | SDL_SWSURFACE);
    if (modes == nullptr || modes == reinterpret_cast<SDL_Rect**>(-1)) {
        const SDL_VideoInfo* info = SDL_GetVideoInfo();
        return SDL_Rect{0, 0, static_cast<Uint16>(info->current_w),
                        static_cast<Uint16>(info->current_h)};
    }
    return *modes[0];
}
}  // namespace

bool isFullScreenKey(const SDL_Event& e) {
    return e.type == SDL_KEYDOWN &&
           (e.key.keysym.sym == SDLK_F11 ||
            ((e.key.keysym.sym == SDLK_RETURN || e.key.keysym.sym == SDLK_KP_ENTER) &&
             (e.key.keysym.mod & KMOD_ALT) != 0));
}

void toggleFullScreen(SDL_Surface* screen) {
    if (screen == SDL_GetVideoSurface()) {
        return;
    }
    // The window shows the game's own surface 1:1, in its size and depth.
    const int depth = screen->format->BitsPerPixel;
    const bool full = (SDL_GetVideoSurface()->flags & SDL_FULLSCREEN) == 0;
    const SDL_Rect size =
        full ? fullScreenSize()
             : SDL_Rect{0, 0, static_cast<Uint16>(screen->w), static_cast<Uint16>(screen->h)};
    if (SDL_SetVideoMode(size.w, size.h, depth, SDL_SWSURFACE | (full ? SDL_FULLSCREEN : 0)) ==
        nullptr) {
        // A full screen that cannot be had leaves the window as it was.
        SDL_SetVideoMode(screen->w, screen->h, depth, SDL_SWSURFACE);
    }
    showScreen(screen);
}
