// The real SDL under test: a screen on the dummy driver, pixel helpers, injected input, and the
// program's waits, which in tests take no time and let the test act.
#pragma once

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>

#include "platform/Controls.h"
#include "platform/Wait.h"
#include "shell/Pictures.h"
#include "support/WorkFolder.h"

class SdlTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    SDL_Surface* screen = nullptr;
    Controls* controls = nullptr;
};

// With the game's pictures loaded in a fresh working folder, freed at the end.
class PicturesTest : public SdlTest {
  protected:
    void SetUp() override {
        SdlTest::SetUp();
        ASSERT_TRUE(loadPictures(pictures));
    }
    void TearDown() override {
        freePictures(pictures);
        SdlTest::TearDown();
    }

    WorkFolder folder;
    Pictures pictures;
};

// The value of the pixel at (x, y) of a 16-bit surface.
inline Uint32 pixelAt(SDL_Surface* surface, int x, int y) {
    return static_cast<const Uint16*>(surface->pixels)[y * surface->pitch / 2 + x];
}
// The value of the colour (r, g, b) on the surface.
inline Uint32 asStored(SDL_Surface* surface, int r, int g, int b) {
    return SDL_MapRGB(surface->format, r, g, b);
}
inline void fill(SDL_Surface* surface, int r, int g, int b) {
    SDL_FillRect(surface, nullptr, asStored(surface, r, g, b));
}
// A w x h surface in the screen's format, filled with one colour; the caller frees it.
inline SDL_Surface* solidPicture(int w, int h, int r, int g, int b) {
    SDL_Surface* picture = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 16, 0xF800, 0x07E0, 0x1F, 0);
    fill(picture, r, g, b);
    return picture;
}
// All the pixel bytes of a surface, for whole-picture comparisons.
inline std::string pixels(SDL_Surface* surface) {
    return std::string(static_cast<const char*>(surface->pixels), surface->pitch * surface->h);
}

// Pushes input, one event a token, the tokens apart by spaces: a key (Up, Down, Left, Right,
// Space, Escape, M, S, P); one of the handheld's buttons (Stick.Up, Stick.Down, Stick.Left,
// Stick.Right, the diagonal Stick.UpLeft, Button.Start, Button.Select, Button.X, Volume.Up,
// Volume.Down, and Pad.Start, a desktop pad's START); a pad's hat pushed (Hat.Up, Hat.Down,
// Hat.Left, Hat.Right) or its left stick past half way (Axis.Up, Axis.Down, Axis.Left, Axis.Right).
// "^" before any of those lets it go
// ("^Up", "^Hat.Left" centres the hat, "^Axis.Up" its vertical axis). Away and Back: the window
// left and come back to; Quit: a quit request. An unknown token aborts the test.
void pushInput(const std::string& input);

struct WaitHooks {
    std::function<void(Uint32 ms)> onDelay;  // called at every delay
    std::function<void()> onEventWait;       // called when a blocking wait finds no event
    int delays = 0;     // so far: past kMostDelays the program under test runs for ever, and stops
    int idleWaits = 0;  // in a row without an event: past kMostDelays, the same
};
inline WaitHooks& testWaits() {
    static WaitHooks hooks;
    return hooks;
}
constexpr int kMostDelays = 5000;

// The rules' random draws: the queued values in order, then std::rand(). Counts every draw.
struct RandomDraws {
    std::deque<int> queued;
    int count = 0;
};
inline RandomDraws& testRandom() {
    static RandomDraws draws;
    return draws;
}
