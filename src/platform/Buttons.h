// The handheld's buttons as SDL's joystick 0 reports them: the one input vocabulary that every
// target's keys, pads and touch buttons are translated into. One constant a line, so that the
// page's script can be generated from this file.
#pragma once

#include <SDL/SDL.h>

constexpr Uint8 kStickUp = 0;
constexpr Uint8 kStickLeft = 2;
constexpr Uint8 kStickDown = 4;
constexpr Uint8 kStickRight = 6;
constexpr Uint8 kStartButton = 8;
constexpr Uint8 kSelectButton = 9;
constexpr Uint8 kButtonX = 14;
constexpr Uint8 kVolumeUpButton = 16;
constexpr Uint8 kVolumeDownButton = 17;
// A gamepad's START, which the handheld lacks: it starts a game as START does, and pauses play.
constexpr Uint8 kPadStartButton = 19;
