// The game's picture in the browser: the canvas itself, which the page scales and shows full
// screen on its own.
#include "platform/Screen.h"

SDL_Surface* openScreen() {
    return SDL_SetVideoMode(320, 240, 16, SDL_SWSURFACE);
}

void showScreen(SDL_Surface* screen) {
    SDL_Flip(screen);
}

// The canvas is SDL's own.
void closeScreen(SDL_Surface*) {}
