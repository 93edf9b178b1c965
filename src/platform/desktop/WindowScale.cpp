// The window's size on the desktop, chosen for the screen it opens on.
#include "platform/desktop/WindowScale.h"

#include <SDL/SDL.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {
constexpr int kWidth = 320, kHeight = 240, kLargestScale = 3;
// Room for a title bar and a desktop's panel.
constexpr int kFrameHeight = 80;
constexpr const char* kScaling = "SDL12COMPAT_WINDOW_SCALING";
}  // namespace

int windowScale(int screenWidth, int screenHeight) {
    int scale = kLargestScale;
    while (scale > 1 &&
           (kWidth * scale > screenWidth || kHeight * scale + kFrameHeight > screenHeight)) {
        --scale;
    }
    return scale;
}

void chooseWindowScale() {
    const SDL_VideoInfo* screen = SDL_GetVideoInfo();
    // Only a desktop's window has a title bar and a panel to fit beside: a handheld's screen,
    // or a driver that shows nothing, keeps the game's own size.
    char driver[16] = "";
    SDL_VideoDriverName(driver, sizeof driver);
    const bool desktop = std::strcmp(driver, "x11") == 0 || std::strcmp(driver, "wayland") == 0;
    if (!desktop || std::getenv(kScaling) != nullptr || screen == nullptr ||
        screen->current_w <= 0) {
        return;
    }
    // Read as the video mode is set; the classic library has no such setting and ignores it.
    setenv(kScaling, std::to_string(windowScale(screen->current_w, screen->current_h)).c_str(), 0);
}
