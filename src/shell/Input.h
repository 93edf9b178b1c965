// The four directions, from the arrow keys or the handheld's stick, as every screen reads them.
#pragma once

#include <SDL/SDL.h>

enum class Direction { None, Up, Down, Left, Right };

// Handheld buttons as SDL's joystick 0 reports them.
constexpr Uint8 kStickUp = 0, kStickLeft = 2, kStickDown = 4, kStickRight = 6;
constexpr Uint8 kStartButton = 8, kSelectButton = 9, kButtonX = 14;
constexpr Uint8 kVolumeUpButton = 16, kVolumeDownButton = 17;

// The direction of a key or button press; None for any other event.
Direction directionOf(const SDL_Event& event);
