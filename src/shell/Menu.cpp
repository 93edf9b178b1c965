// The menu: the score listing drawn into its picture, and the wait for the player to start a
// game or leave.
#include "shell/Menu.h"

#include <algorithm>

#include "game/Game.h"
#include "gfx/NumberFormatter.h"
#include "gfx/Painter.h"
#include "platform/Controls.h"
#include "shell/Input.h"
#include "shell/SoundKeys.h"

void drawListing(const ScoreTable& table, SDL_Surface* picture, const GlyphSheet* glyphs) {
    if (picture == nullptr) {
        return;
    }
    const Painter painter{};
    const NumberFormatter formatter{};
    char number[kNumberTextSize];
    SDL_Surface* surface = picture;
    const std::size_t count = std::min<std::size_t>(table.size(), kListedScores);
    for (std::size_t i = 0; i < count; ++i) {
        const int y = 65 + 14 * static_cast<int>(i);
        surface = painter.write(surface, table[i].name, 180, y, glyphs);
        formatter.itoa(table[i].score, number, 10);
        surface = painter.write(surface, number, 230, y, glyphs);
    }
}

bool Game::waitForStart(Controls& controls, Sounds* sounds) {
    for (;;) {
        SDL_Event event;
        waitInput(controls, &event);
        applySoundInput(sounds, event);
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
                if (event.jbutton.button == kStartButton ||
                    event.jbutton.button == kPadStartButton) {
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
}
