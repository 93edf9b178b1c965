// The SDL fixture of the tests: a real 320x240x16 screen on the dummy driver, and pixel helpers.
#include "support/SdlTest.h"

#include <ostream>

void SdlTest::SetUp() {
    testWaits() = WaitHooks{};
    ASSERT_EQ(0, SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK)) << SDL_GetError();
    screen = SDL_SetVideoMode(320, 240, 16, SDL_SWSURFACE);
    ASSERT_NE(nullptr, screen) << SDL_GetError();
    ASSERT_EQ(320, screen->w);
    ASSERT_EQ(240, screen->h);
    ASSERT_EQ(16, screen->format->BitsPerPixel);
}

void SdlTest::TearDown() {
    SDL_Quit();
    testWaits() = WaitHooks{};
}

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "rgb(" << c.r << ", " << c.g << ", " << c.b << ")";
}

Rgb pixelAt(SDL_Surface* surface, int x, int y) {
    SDL_LockSurface(surface);
    const Uint8* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    Uint32 value = 0;
    switch (surface->format->BytesPerPixel) {
        case 2:
            value = reinterpret_cast<const Uint16*>(row)[x];
            break;
        case 4:
            value = reinterpret_cast<const Uint32*>(row)[x];
            break;
        default:
            ADD_FAILURE() << "unexpected pixel size";
    }
    SDL_UnlockSurface(surface);
    Uint8 r, g, b;
    SDL_GetRGB(value, surface->format, &r, &g, &b);
    return Rgb{r, g, b};
}

void fill(SDL_Surface* surface, int r, int g, int b) {
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, r, g, b));
}

Rgb asStored(SDL_Surface* surface, int r, int g, int b) {
    Uint8 sr, sg, sb;
    SDL_GetRGB(SDL_MapRGB(surface->format, r, g, b), surface->format, &sr, &sg, &sb);
    return Rgb{sr, sg, sb};
}

std::string imagePath(const std::string& file) {
    return std::string(DWINDLE_IMAGES_DIR) + "/" + file;
}
