// The game's actions as every screen reads them: the four directions, from the arrow keys or
// the handheld's stick, leaving a game and pausing it.
#pragma once

#include <SDL/SDL.h>

#include "platform/Buttons.h"

enum class Direction { None, Up, Down, Left, Right };

// The direction of a key or button press; None for any other event.
Direction directionOf(const SDL_Event& event);
// Escape or SELECT: the game ends.
bool leavesGame(const SDL_Event& event);
// P or a pad's START: play pauses, or plays on. The handheld's own START does not pause.
bool pausesGame(const SDL_Event& event);
