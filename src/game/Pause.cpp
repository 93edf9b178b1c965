// The three-second hold after a fall, a capture or the portal, and throwing input away.
#include "game/Pause.h"

#include <SDL/SDL.h>

#include "platform/Wait.h"

void discardPendingEvents() {
    bool quit = false;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        quit = quit || event.type == SDL_QUIT;
    }
    if (quit) {
        requestQuit();
    }
}

void requestQuit() {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
}

void pauseGame() {
    waitMs(3000);
    discardPendingEvents();
}
