// The four directions, from the arrow keys or the handheld's stick, as every screen reads them.
#pragma once

#include <SDL/SDL.h>

#include "platform/Buttons.h"

enum class Direction { None, Up, Down, Left, Right };

// The direction of a key or button press; None for any other event.
Direction directionOf(const SDL_Event& event);
