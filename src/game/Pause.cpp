// The three-second hold after a fall, a capture or the portal, and throwing input away.
#include "game/Pause.h"

#include <SDL/SDL.h>

#include <vector>

#include "platform/Wait.h"

namespace {
bool isInput(const SDL_Event& event) {
    switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
        case SDL_MOUSEMOTION:
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
        case SDL_JOYAXISMOTION:
        case SDL_JOYBALLMOTION:
        case SDL_JOYHATMOTION:
        case SDL_JOYBUTTONDOWN:
        case SDL_JOYBUTTONUP:
            return true;
        default:
            return false;
    }
}
}  // namespace

void discardPendingEvents() {
    std::vector<SDL_Event> kept;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (!isInput(event)) {
            kept.push_back(event);
        }
    }
    for (SDL_Event& back : kept) {
        SDL_PushEvent(&back);
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
