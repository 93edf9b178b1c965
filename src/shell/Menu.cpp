// The menu's wait for the player to start a game or leave.
#include "game/Game.h"
#include "game/Wait.h"
#include "shell/Input.h"

bool Game::waitForStart() {
    SDL_Event event;
    // Blocks on the queue instead of polling it, so the menu idles without using the CPU.
    while (waitForEvent(&event)) {
        switch (event.type) {
            case SDL_KEYDOWN:
                if (event.key.keysym.sym == SDLK_SPACE) {
                    return true;
                }
                if (event.key.keysym.sym == SDLK_ESCAPE) {
                    return false;
                }
                break;
            case SDL_JOYBUTTONDOWN:
                if (event.jbutton.button == kStartButton) {
                    return true;
                }
                if (event.jbutton.button == kSelectButton) {
                    return false;
                }
                break;
            case SDL_QUIT:
                return false;
            default:
                break;
        }
    }
    // The event queue itself failed: leaving beats waiting for ever.
    return false;
}
