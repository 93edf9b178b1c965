// Where the program blocks: its fixed delays and the menu's wait for input. The tests link
// stand-ins that never wait.
#pragma once

#include <SDL/SDL.h>

void waitMs(Uint32 ms);
// As SDL_WaitEvent: 1 with the next event, 0 on error.
int waitForEvent(SDL_Event* event);
