// Control over the program's waits in tests.
#pragma once

#include <SDL/SDL.h>

#include <functional>

#include "game/Wait.h"

struct WaitHooks {
    std::function<void(Uint32 ms)> onDelay;  // called at every delay, after counting it
    std::function<void()> onEventWait;       // called when a blocking wait finds no event
    unsigned long long totalMs = 0;
    int delayCalls = 0;
    int eventWaits = 0;
};

WaitHooks& testWaits();
