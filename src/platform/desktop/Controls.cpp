// The player's input on the desktop and the handheld. Keys and the handheld's own joystick come
// as they are; a gamepad comes as the handheld's buttons: its d-pad and left stick as the stick,
// one press per push, its south button (A, cross) as X, START as START, BACK (SELECT, SHARE,
// View, minus) as SELECT. Alt+Enter and F11 toggle full screen at every screen.
#include <array>
#include <cstdlib>
#include <deque>
#include <iterator>

#include "platform/Buttons.h"
#include "platform/Controls.h"
#include "platform/Wait.h"
#include "platform/desktop/FullScreen.h"

namespace {

// How a joystick's buttons are numbered, and so what they stand for.
enum class Order {
    Handheld,    // the handheld's own, its stick as buttons, and any joystick without a hat
    Controller,  // SDL's game-controller order, as the compatibility library gives known pads
    Xbox,        // the Linux kernel's order for a pad whose triggers are axes
    Triggers,    // the kernel's order for a pad whose triggers are buttons too
};

// A pad's button and the handheld's button it stands for.
struct Binding {
    Uint8 pad;
    Uint8 handheld;
};
constexpr Binding kControllerButtons[] = {
    {0, kButtonX},       // A, cross
    {4, kSelectButton},  // BACK, SHARE, View, minus
    {6, kStartButton},   // START, OPTIONS, Menu, plus
    {11, kStickUp},      // the d-pad
    {12, kStickDown},   {13, kStickLeft}, {14, kStickRight},
};
constexpr Binding kXboxButtons[] = {{0, kButtonX}, {6, kSelectButton}, {7, kStartButton}};
constexpr Binding kTriggerButtons[] = {{0, kButtonX}, {8, kSelectButton}, {9, kStartButton}};
// An Xbox-layout pad has A B X Y, two shoulders, BACK, START, the guide and two stick clicks.
constexpr int kXboxButtonCount = 11;
// How far a stick must go (of 32767) to count as pushed.
constexpr Sint16 kHalfWay = 16384;
// The joysticks read as pads, by number; beyond them, as they come.
constexpr int kPads = 8;
// The order each press of a pad is given in, when several come at once.
constexpr Uint8 kHandheldButtons[] = {kStickUp, kStickDown,   kStickLeft,   kStickRight,
                                      kButtonX, kStartButton, kSelectButton};

struct Pad {
    SDL_Joystick* joystick = nullptr;
    Order order = Order::Handheld;
    // The handheld's buttons held down, a bit each, by the hat, the left stick, the buttons.
    Uint32 hat = 0, stick = 0, buttons = 0;
    Uint32 given = 0;  // what was held when presses were last given
    Sint16 x = 0, y = 0;
};

constexpr Uint32 bit(Uint8 handheld) {
    return 1u << handheld;
}

// The bindings of one order, for a range-for.
struct Bindings {
    const Binding* first;
    const Binding* last;
    const Binding* begin() const { return first; }
    const Binding* end() const { return last; }
};

Bindings bindings(Order order) {
    switch (order) {
        case Order::Controller:
            return {std::begin(kControllerButtons), std::end(kControllerButtons)};
        case Order::Xbox:
            return {std::begin(kXboxButtons), std::end(kXboxButtons)};
        case Order::Triggers:
            return {std::begin(kTriggerButtons), std::end(kTriggerButtons)};
        case Order::Handheld:
            break;
    }
    return {nullptr, nullptr};
}

// The compatibility library (1.2.50 and later; SDL 1.2 itself ended at 1.2.15) shows every pad
// that SDL's controller database knows in controller order when told to, and no other joystick.
bool controllersShown() {
    const char* told = std::getenv("SDL12COMPAT_USE_GAME_CONTROLLERS");
    return SDL_Linked_Version()->patch >= 50 && told != nullptr && std::atoi(told) != 0;
}

Uint32 hatButtons(Uint8 hat) {
    return (hat & SDL_HAT_UP ? bit(kStickUp) : 0) | (hat & SDL_HAT_DOWN ? bit(kStickDown) : 0) |
           (hat & SDL_HAT_LEFT ? bit(kStickLeft) : 0) |
           (hat & SDL_HAT_RIGHT ? bit(kStickRight) : 0);
}

Uint32 stickButtons(Sint16 x, Sint16 y) {
    return (y < -kHalfWay ? bit(kStickUp) : 0) | (y > kHalfWay ? bit(kStickDown) : 0) |
           (x < -kHalfWay ? bit(kStickLeft) : 0) | (x > kHalfWay ? bit(kStickRight) : 0);
}

}  // namespace

struct Controls {
    SDL_Surface* screen;
    bool controllerOrder;
    std::array<Pad, kPads> pads;
    std::deque<SDL_Event> presses;  // the handheld's buttons pressed on pads, not yet given
};

namespace {

// Reads what a controller-order pad holds down now.
void readController(Pad& pad) {
    pad.buttons = 0;
    for (const Binding& b : bindings(pad.order)) {
        pad.buttons |= SDL_JoystickGetButton(pad.joystick, b.pad) ? bit(b.handheld) : 0;
    }
    pad.stick =
        stickButtons(SDL_JoystickGetAxis(pad.joystick, 0), SDL_JoystickGetAxis(pad.joystick, 1));
}

void openPads(Controls& c) {
    if (c.controllerOrder) {
        SDL_JoystickUpdate();
    }
    for (int i = 0; i < kPads; ++i) {
        Pad& pad = c.pads[i] = Pad{};
        pad.joystick = i < SDL_NumJoysticks() ? SDL_JoystickOpen(i) : nullptr;
        if (c.controllerOrder && pad.joystick != nullptr) {
            pad.order = Order::Controller;
            // A button still held from the last screen (BACK that ended the game, at the menu
            // that follows) is no new press.
            readController(pad);
            pad.given = pad.buttons | pad.stick;
        } else if (pad.joystick != nullptr && SDL_JoystickNumHats(pad.joystick) > 0) {
            pad.order = SDL_JoystickNumButtons(pad.joystick) <= kXboxButtonCount ? Order::Xbox
                                                                                 : Order::Triggers;
        }
    }
}

void closePads(Controls& c) {
    for (Pad& pad : c.pads) {
        if (pad.joystick != nullptr) {
            SDL_JoystickClose(pad.joystick);
        }
    }
}

// Queues a press of each of the handheld's buttons that the pad holds down now and did not
// when last looked at.
void givePresses(Controls& c, int which, Pad& pad) {
    const Uint32 held = pad.hat | pad.stick | pad.buttons;
    for (const Uint8 button : kHandheldButtons) {
        if ((held & ~pad.given & bit(button)) != 0) {
            SDL_Event press{};
            press.jbutton = {SDL_JOYBUTTONDOWN, static_cast<Uint8>(which), button, SDL_PRESSED};
            c.presses.push_back(press);
        }
    }
    pad.given = held;
}

// Controller-order pads send no events (the compatibility library does not start SDL2's
// game-controller events): they are read from their state.
void readControllers(Controls& c) {
    if (c.controllerOrder) {
        SDL_JoystickUpdate();
    }
    for (int i = 0; i < kPads; ++i) {
        Pad& pad = c.pads[i];
        if (pad.order != Order::Controller) {
            continue;
        }
        readController(pad);
        givePresses(c, i, pad);
    }
}

// Takes in an event from a pad: true when it was one. A hat or a stick moves on any joystick:
// the handheld's own stick is buttons.
bool fromPad(Controls& c, const SDL_Event& e) {
    const Uint8 which = e.type == SDL_JOYHATMOTION    ? e.jhat.which
                        : e.type == SDL_JOYAXISMOTION ? e.jaxis.which
                                                      : e.jbutton.which;
    const bool button = e.type == SDL_JOYBUTTONDOWN || e.type == SDL_JOYBUTTONUP;
    if ((!button && e.type != SDL_JOYHATMOTION && e.type != SDL_JOYAXISMOTION) || which >= kPads ||
        (button && c.pads[which].order == Order::Handheld)) {
        return false;
    }
    Pad& pad = c.pads[which];
    if (e.type == SDL_JOYHATMOTION && e.jhat.hat == 0) {
        pad.hat = hatButtons(e.jhat.value);
    } else if (e.type == SDL_JOYAXISMOTION && e.jaxis.axis < 2) {
        (e.jaxis.axis == 0 ? pad.x : pad.y) = e.jaxis.value;
        pad.stick = stickButtons(pad.x, pad.y);
    } else if (button) {
        for (const Binding& b : bindings(pad.order)) {
            if (b.pad == e.jbutton.button) {
                pad.buttons = e.type == SDL_JOYBUTTONDOWN ? pad.buttons | bit(b.handheld)
                                                          : pad.buttons & ~bit(b.handheld);
            }
        }
    }
    givePresses(c, which, pad);
    return true;
}

bool windowKey(const SDL_Event& e) {
    return e.type == SDL_KEYDOWN &&
           (e.key.keysym.sym == SDLK_F11 ||
            ((e.key.keysym.sym == SDLK_RETURN || e.key.keysym.sym == SDLK_KP_ENTER) &&
             (e.key.keysym.mod & KMOD_ALT) != 0));
}

// True when the event goes to the screens as it is.
bool passes(Controls& c, const SDL_Event& e) {
    if (windowKey(e)) {
        toggleFullScreen(c.screen);
        return false;
    }
    return !fromPad(c, e);
}

}  // namespace

Controls* openControls(SDL_Surface* screen) {
    Controls* c = new Controls{screen, controllersShown(), {}, {}};
    openPads(*c);
    return c;
}

void closeControls(Controls* controls) {
    closePads(*controls);
    delete controls;
}

void reopenPads(Controls& c) {
    closePads(c);
    // SDL 1.2 and the compatibility library both look for joysticks only as they start.
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    SDL_InitSubSystem(SDL_INIT_JOYSTICK);
    openPads(c);
}

int pollInput(Controls& c, SDL_Event* event) {
    readControllers(c);
    while (c.presses.empty()) {
        if (SDL_PollEvent(event) == 0) {
            return 0;
        }
        if (passes(c, *event)) {
            return 1;
        }
    }
    *event = c.presses.front();
    c.presses.pop_front();
    return 1;
}

void waitInput(Controls& c, SDL_Event* event) {
    while (pollInput(c, event) == 0) {
        if (waitForEvent(event) == 1 && passes(c, *event)) {
            return;
        }
    }
}
