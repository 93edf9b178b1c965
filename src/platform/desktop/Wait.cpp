// The waits on the desktop and the handheld: SDL's own.
#include "platform/Wait.h"

void waitMs(Uint32 ms) {
    SDL_Delay(ms);
}

// SDL 1.2's own SDL_WaitEvent looks every 10 ms too.
int waitForEvent(SDL_Event* event) {
    if (SDL_PollEvent(event) == 1) {
        return 1;
    }
    SDL_Delay(10);
    return SDL_PollEvent(event);
}
