// Full screen on the desktop, which the window's own keys toggle.
#pragma once

#include <SDL/SDL.h>

// True for the window's own keys that toggle full screen: F11, and Alt with either Enter.
bool isFullScreenKey(const SDL_Event& event);
// Switches between the window and full screen, where the window is one, and shows screen again.
void toggleFullScreen(SDL_Surface* screen);
