// The real SDL under test: a screen on the dummy driver, pixel helpers, injected input, and the
// program's waits, which in tests take no time and let the test act.
#include "support/SdlTest.h"

#include "platform/Buttons.h"
#include "platform/Random.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>

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

namespace {

// The event a token names (see pushInput), pressed, or let go when `letGo`.
SDL_Event inputEvent(const std::string& name, bool letGo) {
    static const std::map<std::string, SDLKey> keys = {
        {"Up", SDLK_UP},       {"Down", SDLK_DOWN},   {"Left", SDLK_LEFT},
        {"Right", SDLK_RIGHT}, {"Space", SDLK_SPACE}, {"Escape", SDLK_ESCAPE},
        {"M", SDLK_m},         {"S", SDLK_s},         {"P", SDLK_p}};
    // Stick.UpLeft is the handheld's diagonal, between its up and left buttons: it moves nothing.
    static const std::map<std::string, Uint8> buttons = {
        {"Stick.Up", kStickUp},           {"Stick.Down", kStickDown},
        {"Stick.Left", kStickLeft},       {"Stick.Right", kStickRight},
        {"Stick.UpLeft", kStickUp + 1},   {"Button.Start", kStartButton},
        {"Button.Select", kSelectButton}, {"Button.X", kButtonX},
        {"Volume.Up", kVolumeUpButton},   {"Volume.Down", kVolumeDownButton},
        {"Pad.Start", kPadStartButton}};
    static const std::map<std::string, Uint8> hats = {{"Hat.Up", SDL_HAT_UP},
                                                      {"Hat.Down", SDL_HAT_DOWN},
                                                      {"Hat.Left", SDL_HAT_LEFT},
                                                      {"Hat.Right", SDL_HAT_RIGHT}};
    // A pad's left stick past half way: its axis, 0 across or 1 down, and the axis's value.
    static const std::map<std::string, std::pair<Uint8, Sint16>> axes = {{"Axis.Left", {0, -20000}},
                                                                         {"Axis.Right", {0, 20000}},
                                                                         {"Axis.Up", {1, -20000}},
                                                                         {"Axis.Down", {1, 20000}}};
    SDL_Event event{};
    if (keys.count(name) != 0) {
        event.type = letGo ? SDL_KEYUP : SDL_KEYDOWN;
        event.key.keysym.sym = keys.at(name);
    } else if (buttons.count(name) != 0) {
        event.jbutton = {static_cast<Uint8>(letGo ? SDL_JOYBUTTONUP : SDL_JOYBUTTONDOWN), 0,
                         buttons.at(name), static_cast<Uint8>(letGo ? SDL_RELEASED : SDL_PRESSED)};
    } else if (hats.count(name) != 0) {
        event.jhat = {SDL_JOYHATMOTION, 0, 0, letGo ? Uint8{SDL_HAT_CENTERED} : hats.at(name)};
    } else if (axes.count(name) != 0) {
        const auto [axis, value] = axes.at(name);
        event.jaxis = {SDL_JOYAXISMOTION, 0, axis, letGo ? Sint16{0} : value};
    } else if (!letGo && (name == "Away" || name == "Back")) {
        event.active = {SDL_ACTIVEEVENT, name == "Back", SDL_APPINPUTFOCUS};
    } else if (!letGo && name == "Quit") {
        event.type = SDL_QUIT;
    } else {
        // A mistyped token would push nothing and leave the test passing for the wrong reason.
        std::fprintf(stderr, "pushInput: no such input: \"%s%s\"\n", letGo ? "^" : "",
                     name.c_str());
        std::abort();
    }
    return event;
}

}  // namespace

void pushInput(const std::string& input) {
    std::istringstream tokens(input);
    for (std::string token; tokens >> token;) {
        const bool letGo = token[0] == '^';
        SDL_Event event = inputEvent(token.substr(letGo ? 1 : 0), letGo);
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
