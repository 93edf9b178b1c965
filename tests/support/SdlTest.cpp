// The real SDL under test: a screen on the dummy driver, pixel helpers, injected input, and the
// program's waits, which in tests take no time and let the test act.
#include "support/SdlTest.h"

#include "platform/Random.h"

#include <cstdio>
#include <cstdlib>

void SdlTest::SetUp() {
    testWaits() = WaitHooks{};
    testRandom() = RandomDraws{};
    ASSERT_EQ(0, SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK)) << SDL_GetError();
    screen = SDL_SetVideoMode(320, 240, 16, SDL_SWSURFACE);
    ASSERT_TRUE(screen != nullptr && screen->format->BitsPerPixel == 16) << SDL_GetError();
}

void SdlTest::TearDown() {
    SDL_Quit();
    testWaits() = WaitHooks{};
}

void pushInput(const std::string& input) {
    const std::string keys = "UDLR E^M", buttons = "uldr89X1+-";
    const SDLKey syms[] = {SDLK_UP,    SDLK_DOWN,   SDLK_LEFT, SDLK_RIGHT,
                           SDLK_SPACE, SDLK_ESCAPE, SDLK_UP,   SDLK_m};
    const Uint8 numbers[] = {0, 2, 4, 6, 8, 9, 14, 1, 16, 17};  // the handheld's buttons
    for (const char c : input) {
        SDL_Event event{SDL_QUIT};
        if (keys.find(c) != std::string::npos) {
            event.type = c == '^' ? SDL_KEYUP : SDL_KEYDOWN;
            event.key.keysym.sym = syms[keys.find(c)];
        } else if (buttons.find(c) != std::string::npos) {
            event.type = SDL_JOYBUTTONDOWN;
            event.jbutton.button = numbers[buttons.find(c)];
        }
        SDL_PushEvent(&event);
    }
}

void waitMs(Uint32 ms) {
    if (++testWaits().delays > kMostDelays) {
        std::fprintf(stderr, "the program under test waits for ever: %d delays\n", kMostDelays);
        std::abort();
    }
    if (testWaits().onDelay) {
        testWaits().onDelay(ms);
    }
}

int waitForEvent(SDL_Event* event) {
    if (SDL_PollEvent(event) == 1) {
        return 1;
    }
    if (testWaits().onEventWait) {
        testWaits().onEventWait();
    }
    if (SDL_PollEvent(event) == 1) {
        return 1;
    }
    // A real wait would block for ever here: the test forgot to give input.
    std::fprintf(stderr, "test waits for an event that never comes\n");
    std::abort();
}

void seedRandom(unsigned seed) {
    std::srand(seed);
}

int randomDraw() {
    RandomDraws& draws = testRandom();
    ++draws.count;
    if (draws.queued.empty()) {
        return std::rand();
    }
    const int value = draws.queued.front();
    draws.queued.pop_front();
    return value;
}
