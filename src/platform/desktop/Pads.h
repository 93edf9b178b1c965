// Gamepads on the desktop, read as the handheld's buttons: by their events, or by their state
// where the library sends none.
#pragma once

#include <SDL/SDL.h>

#include <array>
#include <deque>

// How a joystick's buttons are numbered, and so what they stand for.
enum class ButtonOrder {
    Handheld,    // the handheld's own, its stick as buttons, and any joystick without a hat
    Controller,  // SDL's game-controller order, as the compatibility library gives known pads
    Xbox,        // the Linux kernel's order for a pad whose triggers are axes
    Triggers,    // the kernel's order for a pad whose triggers are buttons too
};

struct Pad {
    SDL_Joystick* joystick = nullptr;
    ButtonOrder order = ButtonOrder::Handheld;
    // The handheld's buttons held down, a bit each, by the hat, the left stick, the buttons.
    Uint32 hat = 0, stick = 0, buttons = 0;
    Uint32 given = 0;  // what was held when presses were last given
    Sint16 x = 0, y = 0;
};

struct Pads {
    // The joysticks read as pads, by number; beyond them, as they come.
    static constexpr int kCount = 8;
    bool controllerOrder = false;  // every pad comes in SDL's controller order
    std::array<Pad, kCount> pads;
    std::deque<SDL_Event> presses;  // the handheld's buttons pressed on pads, not yet given
};

// Whether the library shows every pad in SDL's controller order, and no other joystick.
bool controllersShown();
// Opens every joystick the library shows now; a button already held is no new press.
void openPads(Pads& pads);
void closePads(Pads& pads);
// Queues the presses of the pads read from their state (controller order only).
void readControllers(Pads& pads);
// Takes in an event from a pad, queueing its presses: true when it was one. A hat or a stick
// moves on any joystick: the handheld's own stick is buttons.
bool fromPad(Pads& pads, const SDL_Event& event);
