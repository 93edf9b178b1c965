// Injected input: key presses, handheld buttons and quit requests on SDL's real queue.
#pragma once

#include <SDL/SDL.h>

inline SDL_Event keyDown(SDLKey key) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = key;
    return event;
}

inline SDL_Event keyUp(SDLKey key) {
    SDL_Event event = keyDown(key);
    event.type = event.key.type = SDL_KEYUP;
    event.key.state = SDL_RELEASED;
    return event;
}

inline SDL_Event buttonDown(Uint8 button) {
    SDL_Event event{};
    event.type = SDL_JOYBUTTONDOWN;
    event.jbutton.type = SDL_JOYBUTTONDOWN;
    event.jbutton.button = button;
    event.jbutton.state = SDL_PRESSED;
    return event;
}

inline SDL_Event quitRequest() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    return event;
}

inline void push(SDL_Event event) {
    SDL_PushEvent(&event);
}
inline void pressKey(SDLKey key) {
    push(keyDown(key));
}
inline void pressButton(Uint8 button) {
    push(buttonDown(button));
}
