// Where the program blocks: its fixed delays and the menu's wait for input. The tests link
// stand-ins that never wait.
#pragma once

#include <SDL/SDL.h>

void waitMs(Uint32 ms);
// Waits a short while (10 ms) for the next event: 1 with it, 0 without one, so that the caller
// can also look at what sends no events (a pad read from its state).
int waitForEvent(SDL_Event* event);
