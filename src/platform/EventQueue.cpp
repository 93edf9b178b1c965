// The event queue's housekeeping: throwing pending input away, and asking the program to end.
#include "platform/EventQueue.h"

#include <SDL/SDL.h>

#include <vector>

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
