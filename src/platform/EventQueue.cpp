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

bool isWindowKey(const SDL_Event& event) {
    if (event.type != SDL_KEYDOWN) {
        return false;
    }
    const SDLKey key = event.key.keysym.sym;
    const bool enter = key == SDLK_RETURN || key == SDLK_KP_ENTER;
    return key == SDLK_m || key == SDLK_s || key == SDLK_F11 ||
           (enter && (event.key.keysym.mod & KMOD_ALT) != 0);
}

// Throws away the pending input that `thrown` names, and puts back everything else.
void discard(bool (*thrown)(const SDL_Event&)) {
    std::vector<SDL_Event> kept;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (!thrown(event)) {
            kept.push_back(event);
        }
    }
    for (SDL_Event& back : kept) {
        SDL_PushEvent(&back);
    }
}
}  // namespace

void discardPendingEvents() {
    discard(isInput);
}

void discardGameInput() {
    discard([](const SDL_Event& event) { return isInput(event) && !isWindowKey(event); });
}

void requestQuit() {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
}
