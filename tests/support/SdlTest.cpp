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
    controls = openControls(screen);
}

void SdlTest::TearDown() {
    if (controls != nullptr) {
        closeControls(controls);
    }
    SDL_Quit();
    testWaits() = WaitHooks{};
}

void pushInput(const std::string& input) {
    const std::string keys = "UDLR E^MsP", buttons = "uldr89X1Vvp", hats = "cw", axes = "NSyWEx";
    const SDLKey syms[] = {SDLK_UP,     SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT, SDLK_SPACE,
                           SDLK_ESCAPE, SDLK_UP,   SDLK_m,    SDLK_s,     SDLK_p};
    const Uint8 numbers[] = {0, 2, 4, 6, 8, 9, 14, 1, 16, 17, 19};  // the handheld's, a pad's START
    const Uint8 hatValues[] = {SDL_HAT_CENTERED, SDL_HAT_LEFT};
    for (const char c : input) {
        SDL_Event event{SDL_QUIT};
        const std::size_t key = keys.find(c), button = buttons.find(c), hat = hats.find(c),
                          axis = axes.find(c);  // N S y: axis 1 up, down, back; W E x: axis 0
        if (key != std::string::npos) {
            event.type = c == '^' ? SDL_KEYUP : SDL_KEYDOWN;
            event.key.keysym.sym = syms[key];
        } else if (button != std::string::npos) {
            event.type = SDL_JOYBUTTONDOWN;
            event.jbutton.button = numbers[button];
        } else if (hat != std::string::npos) {
            event.jhat = {SDL_JOYHATMOTION, 0, 0, hatValues[hat]};
        } else if (axis != std::string::npos) {
            const Sint16 values[] = {-20000, 20000, 0};
            event.jaxis = {SDL_JOYAXISMOTION, 0, axis < 3, values[axis % 3]};
        } else if (c == '-' || c == '+') {
            event.active = {SDL_ACTIVEEVENT, c == '+', SDL_APPINPUTFOCUS};
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
    const bool waiting = SDL_PollEvent(event) == 0;
    if (waiting && testWaits().onEventWait) {
        testWaits().onEventWait();
    }
    if (!waiting || SDL_PollEvent(event) == 1) {
        testWaits().idleWaits = 0;
        return 1;
    }
    // Input may come from a pad's state instead; but a wait this long means the test forgot
    // to give any.
    if (++testWaits().idleWaits > kMostDelays) {
        std::fprintf(stderr, "test waits for an event that never comes\n");
        std::abort();
    }
    return 0;
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
