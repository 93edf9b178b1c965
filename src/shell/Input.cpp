// The game's actions as every screen reads them.
#include "shell/Input.h"

Direction directionOf(const SDL_Event& event) {
    if (event.type == SDL_KEYDOWN) {
        switch (event.key.keysym.sym) {
            case SDLK_UP:
                return Direction::Up;
            case SDLK_DOWN:
                return Direction::Down;
            case SDLK_LEFT:
                return Direction::Left;
            case SDLK_RIGHT:
                return Direction::Right;
            default:
                return Direction::None;
        }
    }
    if (event.type == SDL_JOYBUTTONDOWN) {
        switch (event.jbutton.button) {
            case kStickUp:
                return Direction::Up;
            case kStickDown:
                return Direction::Down;
            case kStickLeft:
                return Direction::Left;
            case kStickRight:
                return Direction::Right;
            default:
                return Direction::None;
        }
    }
    return Direction::None;
}

bool leavesGame(const SDL_Event& event) {
    return (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) ||
           (event.type == SDL_JOYBUTTONDOWN && event.jbutton.button == kSelectButton);
}

bool pausesGame(const SDL_Event& event) {
    return (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_p) ||
           (event.type == SDL_JOYBUTTONDOWN && event.jbutton.button == kPadStartButton);
}
