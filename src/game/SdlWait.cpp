// The real waits, linked into the game only.
#include "game/Wait.h"

void waitMs(Uint32 ms) {
    SDL_Delay(ms);
}

int waitForEvent(SDL_Event* event) {
    return SDL_WaitEvent(event);
}
