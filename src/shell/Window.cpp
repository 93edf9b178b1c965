// The window's title and icon, for desktops that show them.
#include "shell/Window.h"

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>

namespace {
#define ICON(name, file) constexpr const char* name = "Images/" file;
#include "gfx/PictureList.h"
}  // namespace

void setWindowTitleAndIcon() {
    SDL_WM_SetCaption("Dwindle", "Dwindle");
    // The icon is cosmetic: without its file the desktop shows its own default one.
    SDL_Surface* icon = IMG_Load(kIconFile);
    if (icon != nullptr) {
        // No mask given: SDL takes the outline from the picture's alpha channel.
        SDL_WM_SetIcon(icon, nullptr);
        SDL_FreeSurface(icon);
    }
}
