// Full screen on the desktop, which the window's own keys toggle (src/platform/desktop).
#pragma once

#include <SDL/SDL.h>

// Switches between the window and full screen, where the window is one, and shows screen again.
void toggleFullScreen(SDL_Surface* screen);
