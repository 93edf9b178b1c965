// The game's picture on the desktop and the handheld. Where there is only a screen (the handheld,
// the dummy driver) the game draws straight into SDL's video surface. Where there is a window the
// game draws on a surface of its own, shown as it is in the window and, in full screen, scaled
// by the largest whole multiple that fits and centred on black: SDL 1.2 would only centre it,
// the compatibility library scales it by any fraction, and a new video mode may replace the
// video surface that every screen would otherwise hold.
#include <algorithm>

#include "platform/Screen.h"
#include "platform/desktop/WindowScale.h"

namespace {
constexpr int kWidth = 320, kHeight = 240, kDepth = 16;

// The picture in the middle of video, each of its pixels a square of scale x scale.
void drawScaled(SDL_Surface* screen, SDL_Surface* video) {
    const int scale = std::max(1, std::min(video->w / kWidth, video->h / kHeight));
    const int left = (video->w - kWidth * scale) / 2, top = (video->h - kHeight * scale) / 2;
    SDL_FillRect(video, nullptr, SDL_MapRGB(video->format, 0, 0, 0));
    SDL_LockSurface(video);
    for (int y = 0; y < kHeight * scale; ++y) {
        const Uint16* from =
            static_cast<const Uint16*>(screen->pixels) + y / scale * screen->pitch / 2;
        Uint16* to = static_cast<Uint16*>(video->pixels) + (top + y) * video->pitch / 2 + left;
        for (int x = 0; x < kWidth * scale; ++x) {
            to[x] = from[x / scale];
        }
    }
    SDL_UnlockSurface(video);
}
}  // namespace

SDL_Surface* openScreen() {
    chooseWindowScale();
    SDL_Surface* video = SDL_SetVideoMode(kWidth, kHeight, kDepth, SDL_SWSURFACE);
    if (video == nullptr || !SDL_GetVideoInfo()->wm_available) {
        return video;
    }
    const SDL_PixelFormat* f = video->format;
    return SDL_CreateRGBSurface(SDL_SWSURFACE, kWidth, kHeight, kDepth, f->Rmask, f->Gmask,
                                f->Bmask, f->Amask);
}

void showScreen(SDL_Surface* screen) {
    SDL_Surface* video = SDL_GetVideoSurface();
    if (screen != video && video->w == kWidth && video->h == kHeight) {
        SDL_BlitSurface(screen, nullptr, video, nullptr);
    } else if (screen != video) {
        drawScaled(screen, video);
    }
    SDL_Flip(video);
}

void closeScreen(SDL_Surface* screen) {
    if (screen != SDL_GetVideoSurface()) {
        SDL_FreeSurface(screen);
    }
}
