// The player's input in the browser: keys, the touch pad and the page's gamepad as they come
// (the page folds a gamepad into the handheld's buttons, Controls.js). The page hidden or
// left comes as the desktop's SDL gives a window left: SDL_ACTIVEEVENT.
#include "platform/Controls.h"
#include "platform/Wait.h"

struct Controls {
    SDL_Joystick* buttons;  // the page's handheld buttons
};

namespace {
// The browser's SDL gives the page's focus and visibility as SDL2 gives a window's.
void asDesktopGivesIt(SDL_Event* event) {
    const Uint8 change = event->type == SDL_WINDOWEVENT ? event->window.event : 0;
    const bool focus =
        change == SDL_WINDOWEVENT_FOCUS_GAINED || change == SDL_WINDOWEVENT_FOCUS_LOST;
    const bool gain = change == SDL_WINDOWEVENT_FOCUS_GAINED || change == SDL_WINDOWEVENT_SHOWN;
    if (!focus && !gain && change != SDL_WINDOWEVENT_HIDDEN) {
        return;
    }
    SDL_Event active{};
    active.type = SDL_ACTIVEEVENT;
    active.active.gain = gain ? 1 : 0;
    active.active.state = focus ? SDL_APPINPUTFOCUS : SDL_APPACTIVE;
    *event = active;
}
}  // namespace

Controls* openControls(SDL_Surface*) {
    return new Controls{SDL_JoystickOpen(0)};
}

void closeControls(Controls* controls) {
    if (controls->buttons != nullptr) {
        SDL_JoystickClose(controls->buttons);
    }
    delete controls;
}

// The page shows the game its gamepads as one joystick, present from the start.
void reopenPads(Controls&) {}

int pollInput(Controls&, SDL_Event* event) {
    if (SDL_PollEvent(event) == 0) {
        return 0;
    }
    asDesktopGivesIt(event);
    return 1;
}

void waitInput(Controls&, SDL_Event* event) {
    while (waitForEvent(event) == 0) {
    }
    asDesktopGivesIt(event);
}
