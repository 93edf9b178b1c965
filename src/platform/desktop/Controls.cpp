// The player's input on the desktop and the handheld. Keys and the handheld's own joystick come
// as they are; a gamepad comes as the handheld's buttons (desktop/Pads.cpp). Alt+Enter and F11
// toggle full screen at every screen.
#include "platform/Controls.h"

#include "platform/Wait.h"
#include "platform/desktop/FullScreen.h"
#include "platform/desktop/Pads.h"

struct Controls {
    SDL_Surface* screen;
    Pads pads;
};

namespace {
// True when the event goes to the screens as it is.
bool passes(Controls& c, const SDL_Event& e) {
    if (isFullScreenKey(e)) {
        toggleFullScreen(c.screen);
        return false;
    }
    return !fromPad(c.pads, e);
}
}  // namespace

Controls* openControls(SDL_Surface* screen) {
    Controls* c = new Controls{screen, {}};
    c->pads.controllerOrder = controllersShown();
    openPads(c->pads);
    return c;
}

void closeControls(Controls* controls) {
    closePads(controls->pads);
    delete controls;
}

void reopenPads(Controls& c) {
    closePads(c.pads);
    // SDL 1.2 and the compatibility library both look for joysticks only as they start.
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    SDL_InitSubSystem(SDL_INIT_JOYSTICK);
    openPads(c.pads);
}

int pollInput(Controls& c, SDL_Event* event) {
    readControllers(c.pads);
    while (c.pads.presses.empty()) {
        if (SDL_PollEvent(event) == 0) {
            return 0;
        }
        if (passes(c, *event)) {
            return 1;
        }
    }
    *event = c.pads.presses.front();
    c.pads.presses.pop_front();
    return 1;
}

void waitInput(Controls& c, SDL_Event* event) {
    while (pollInput(c, event) == 0) {
        if (waitForEvent(event) == 1 && passes(c, *event)) {
            return;
        }
    }
}
