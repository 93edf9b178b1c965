// Stand-ins for the program's waits: no time passes, and each wait gives the running test
// a chance to act (push input, look at the state).
#include "support/TestWait.h"

#include <cstdio>
#include <cstdlib>

namespace {
WaitHooks& hooks() {
    static WaitHooks instance;
    return instance;
}
}  // namespace

WaitHooks& testWaits() {
    return hooks();
}

void waitMs(Uint32 ms) {
    WaitHooks& h = hooks();
    h.totalMs += ms;
    ++h.delayCalls;
    if (h.onDelay) {
        h.onDelay(ms);
    }
}

int waitForEvent(SDL_Event* event) {
    WaitHooks& h = hooks();
    ++h.eventWaits;
    if (SDL_PollEvent(event)) {
        return 1;
    }
    if (h.onEventWait) {
        h.onEventWait();
    }
    if (SDL_PollEvent(event)) {
        return 1;
    }
    // A real wait would block for ever here: the test forgot to give input.
    std::fprintf(stderr, "test waits for an event that never comes\n");
    std::abort();
}
