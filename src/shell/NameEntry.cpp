// The name entry screen: three characters chosen with a bracket cursor.
#include "shell/NameEntry.h"

#include "game/Game.h"
#include "game/Pause.h"
#include "game/Wait.h"
#include "gfx/ImageLoader.h"

namespace {
constexpr int kHighestCode = 128;
constexpr Uint8 kStickUp = 0, kStickLeft = 2, kStickDown = 4, kStickRight = 6, kButtonX = 14;
constexpr Uint32 kPassDelayMs = 80;
constexpr int kTextY = 130;

enum class Action { None, Up, Down, Left, Right, Confirm };

Action actionOf(const SDL_Event& event) {
    if (event.type == SDL_KEYDOWN) {
        switch (event.key.keysym.sym) {
            case SDLK_SPACE:
                return Action::Confirm;
            case SDLK_UP:
                return Action::Up;
            case SDLK_DOWN:
                return Action::Down;
            case SDLK_LEFT:
                return Action::Left;
            case SDLK_RIGHT:
                return Action::Right;
            default:
                return Action::None;
        }
    }
    if (event.type == SDL_JOYBUTTONDOWN) {
        switch (event.jbutton.button) {
            case kStickUp:
                return Action::Up;
            case kStickLeft:
                return Action::Left;
            case kStickDown:
                return Action::Down;
            case kStickRight:
                return Action::Right;
            case kButtonX:
                return Action::Confirm;
            default:
                return Action::None;
        }
    }
    return Action::None;
}
}  // namespace

bool applyNameInput(NameChoice& choice, const SDL_Event& event) {
    int& letter = choice.letters[choice.cursor];
    switch (actionOf(event)) {
        case Action::Up:
            if (letter + 1 <= kHighestCode) {
                ++letter;
            }
            return false;
        case Action::Down:
            if (letter - 1 >= 0) {
                --letter;
            }
            return false;
        case Action::Left:
            if (choice.cursor - 1 >= 0) {
                --choice.cursor;
            }
            return false;
        case Action::Right:
            if (choice.cursor + 1 <= 2) {
                ++choice.cursor;
            }
            return false;
        case Action::Confirm:
            return true;
        case Action::None:
            return false;
    }
    return false;
}

void storeName(const NameChoice& choice, char name[4]) {
    for (int i = 0; i < 3; ++i) {
        name[i] = static_cast<char>(choice.letters[i] & 0xFF);
    }
    name[3] = '\0';
}

void drawNameChoice(const Painter& painter, SDL_Surface* screen, const NameChoice& choice) {
    SDL_Surface* surface = screen;
    for (int i = 0; i < 3; ++i) {
        const char text[2] = {static_cast<char>(choice.letters[i] & 0xFF), '\0'};
        surface = painter.write(surface, text, 60 + 20 * i, kTextY);
    }
    surface = painter.write(surface, "[", 50 + 20 * choice.cursor, kTextY);
    painter.write(surface, "]", 70 + 20 * choice.cursor, kTextY);
}

void Game::enterName(SDL_Surface* screen) {
    SDL_Surface* background = ImageLoader().loadImage("Images/menu2.jpg");
    NameChoice choice;
    SDL_EnableKeyRepeat(500, 30);
    bool quit = false;
    bool confirmed = false;
    while (!confirmed) {
        drawPicture(painter, background, screen, 0, 0);
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            // A quit request takes the letters as they stand.
            const bool quitNow = event.type == SDL_QUIT;
            quit = quit || quitNow;
            if (applyNameInput(choice, event) || quitNow) {
                confirmed = true;
                storeName(choice, name);
            }
        }
        drawNameChoice(painter, screen, choice);
        SDL_Flip(screen);
        waitMs(kPassDelayMs);
    }
    SDL_FreeSurface(background);
    // The menu that follows sees the request too, and leaves.
    if (quit) {
        requestQuit();
    }
}
