// Gamepads on the desktop as the handheld's buttons: the d-pad and left stick as the stick, one
// press per push, the south and west buttons (A and X, cross and square) as X, START as the
// pad's START (which pauses play), BACK (SELECT, SHARE, View, minus) as SELECT, in each of the
// four ways a pad's buttons are numbered.
#include "platform/desktop/Pads.h"

#include <cstdlib>
#include <iterator>

#include "platform/Buttons.h"

namespace {

// A pad's button and the handheld's button it stands for.
struct Binding {
    Uint8 pad;
    Uint8 handheld;
};
constexpr Binding kControllerButtons[] = {
    {0, kButtonX},         // A, cross
    {2, kButtonX},         // X, square
    {4, kSelectButton},    // BACK, SHARE, View, minus
    {6, kPadStartButton},  // START, OPTIONS, Menu, plus
    {11, kStickUp},        // the d-pad
    {12, kStickDown},     {13, kStickLeft}, {14, kStickRight},
};
constexpr Binding kXboxButtons[] = {
    {0, kButtonX}, {2, kButtonX}, {6, kSelectButton}, {7, kPadStartButton}};
constexpr Binding kTriggerButtons[] = {
    {0, kButtonX}, {3, kButtonX}, {8, kSelectButton}, {9, kPadStartButton}};
// An Xbox-layout pad has A B X Y, two shoulders, BACK, START, the guide and two stick clicks.
constexpr int kXboxButtonCount = 11;
// How far a stick must go (of 32767) to count as pushed.
constexpr Sint16 kHalfWay = 16384;
// The order each press of a pad is given in, when several come at once.
constexpr Uint8 kHandheldButtons[] = {kStickUp, kStickDown,      kStickLeft,   kStickRight,
                                      kButtonX, kPadStartButton, kSelectButton};

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

Bindings bindings(ButtonOrder order) {
    switch (order) {
        case ButtonOrder::Controller:
            return {std::begin(kControllerButtons), std::end(kControllerButtons)};
        case ButtonOrder::Xbox:
            return {std::begin(kXboxButtons), std::end(kXboxButtons)};
        case ButtonOrder::Triggers:
            return {std::begin(kTriggerButtons), std::end(kTriggerButtons)};
        case ButtonOrder::Handheld:
            break;
    }
    return {nullptr, nullptr};
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

// Reads what a controller-order pad holds down now.
void readController(Pad& pad) {
    pad.buttons = 0;
    for (const Binding& b : bindings(pad.order)) {
        pad.buttons |= SDL_JoystickGetButton(pad.joystick, b.pad) ? bit(b.handheld) : 0;
    }
    pad.stick =
        stickButtons(SDL_JoystickGetAxis(pad.joystick, 0), SDL_JoystickGetAxis(pad.joystick, 1));
}

// Queues a press of each of the handheld's buttons that the pad holds down now and did not
// when last looked at.
void givePresses(Pads& pads, int which, Pad& pad) {
    const Uint32 held = pad.hat | pad.stick | pad.buttons;
    for (const Uint8 button : kHandheldButtons) {
        if ((held & ~pad.given & bit(button)) != 0) {
            SDL_Event press{};
            press.jbutton = {SDL_JOYBUTTONDOWN, static_cast<Uint8>(which), button, SDL_PRESSED};
            pads.presses.push_back(press);
        }
    }
    pad.given = held;
}

}  // namespace

// The compatibility library (1.2.50 and later; SDL 1.2 itself ended at 1.2.15) shows every pad
// that SDL's controller database knows in controller order when told to, and no other joystick.
bool controllersShown() {
    const char* told = std::getenv("SDL12COMPAT_USE_GAME_CONTROLLERS");
    return SDL_Linked_Version()->patch >= 50 && told != nullptr && std::atoi(told) != 0;
}

void openPads(Pads& pads) {
    if (pads.controllerOrder) {
        SDL_JoystickUpdate();
    }
    for (int i = 0; i < Pads::kCount; ++i) {
        Pad& pad = pads.pads[i] = Pad{};
        pad.joystick = i < SDL_NumJoysticks() ? SDL_JoystickOpen(i) : nullptr;
        if (pads.controllerOrder && pad.joystick != nullptr) {
            pad.order = ButtonOrder::Controller;
            // A button still held from the last screen (BACK that ended the game, at the menu
            // that follows) is no new press.
            readController(pad);
            pad.given = pad.buttons | pad.stick;
        } else if (pad.joystick != nullptr && SDL_JoystickNumHats(pad.joystick) > 0) {
            pad.order = SDL_JoystickNumButtons(pad.joystick) <= kXboxButtonCount
                            ? ButtonOrder::Xbox
                            : ButtonOrder::Triggers;
        }
    }
}

void closePads(Pads& pads) {
    for (Pad& pad : pads.pads) {
        if (pad.joystick != nullptr) {
            SDL_JoystickClose(pad.joystick);
        }
    }
}

// Controller-order pads send no events (the compatibility library does not start SDL2's
// game-controller events): they are read from their state.
void readControllers(Pads& pads) {
    if (pads.controllerOrder) {
        SDL_JoystickUpdate();
    }
    for (int i = 0; i < Pads::kCount; ++i) {
        Pad& pad = pads.pads[i];
        if (pad.order != ButtonOrder::Controller) {
            continue;
        }
        readController(pad);
        givePresses(pads, i, pad);
    }
}

bool fromPad(Pads& pads, const SDL_Event& e) {
    const Uint8 which = e.type == SDL_JOYHATMOTION    ? e.jhat.which
                        : e.type == SDL_JOYAXISMOTION ? e.jaxis.which
                                                      : e.jbutton.which;
    const bool button = e.type == SDL_JOYBUTTONDOWN || e.type == SDL_JOYBUTTONUP;
    if ((!button && e.type != SDL_JOYHATMOTION && e.type != SDL_JOYAXISMOTION) ||
        which >= Pads::kCount || (button && pads.pads[which].order == ButtonOrder::Handheld)) {
        return false;
    }
    Pad& pad = pads.pads[which];
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
    givePresses(pads, which, pad);
    return true;
}
