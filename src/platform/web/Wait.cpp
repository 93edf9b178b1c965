// The waits in the browser. Built with asyncify, SDL_Delay hands control back to the page,
// which shows the canvas and queues input meanwhile. Its SDL has no SDL_WaitEvent: the menu
// polls instead, every 10 ms. The page is told when each pass's work begins and ends, so it
// can measure passes.
#include <emscripten.h>

#include "platform/Wait.h"

void waitMs(Uint32 ms) {
    EM_ASM(Module.passEnds());
    SDL_Delay(ms);
    EM_ASM(Module.passBegins());
}

int waitForEvent(SDL_Event* event) {
    if (SDL_PollEvent(event) == 1) {
        return 1;
    }
    SDL_Delay(10);
    return 0;
}
