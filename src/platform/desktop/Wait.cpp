// The waits on the desktop and the handheld: SDL's own.
#include "platform/Wait.h"

void waitMs(Uint32 ms) {
    SDL_Delay(ms);
}

int waitForEvent(SDL_Event* event) {
    return SDL_WaitEvent(event);
}
