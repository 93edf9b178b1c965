// dwindle_web_script SEED IMAGES_PARENT FRAMES WAIT:KEY...: the desktop game on the dummy video
// driver, given input as the browser test gives it to the page: Space at the menu, then each
// KEY (U, D, L, R for the arrows, S for Space, E for Escape) pressed and released at the
// WAITth wait after the menu's. Writes the first splash and every frame shown when the game
// waits, 320x240 pixels of 16 bits, to FRAMES, from the menu's first to the next menu's, which
// ends the run.
#include <SDL/SDL.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "gfx/Painter.h"
#include "platform/Controls.h"
#include "platform/Random.h"
#include "platform/Wait.h"
#include "shell/MainLoop.h"

namespace {
struct {
    SDL_Surface* screen = nullptr;
    std::FILE* frames = nullptr;
    std::multimap<int, SDLKey> keys;  // by the wait they are pressed at
    int waits = 0;
    int menuWaits = 0;
} run;

void writeFrame() {
    const SDL_Surface* s = run.screen;
    for (int y = 0; y < s->h; ++y) {
        std::fwrite(static_cast<const Uint8*>(s->pixels) + y * s->pitch, 2, s->w, run.frames);
    }
}
}  // namespace

// Shows a frame; the keys of this wait are read by the next pass.
void waitMs(Uint32) {
    writeFrame();
    if (run.waits > 2000) {
        std::fprintf(stderr, "dwindle_web_script: the keys never bring the menu back\n");
        std::exit(1);
    }
    const auto [first, last] = run.keys.equal_range(run.waits++);
    for (auto key = first; key != last; ++key) {
        for (const Uint8 type : {SDL_KEYDOWN, SDL_KEYUP}) {
            SDL_Event event{};
            event.key = {type, 0, 0, {0, key->second, KMOD_NONE, 0}};
            SDL_PushEvent(&event);
        }
    }
}

int waitForEvent(SDL_Event* event) {
    if (SDL_PollEvent(event) == 1) {
        return 1;
    }
    writeFrame();
    if (run.menuWaits++ > 0) {
        std::exit(std::fclose(run.frames) == 0 ? 0 : 1);
    }
    event->key = {SDL_KEYDOWN, 0, 0, {0, SDLK_SPACE, KMOD_NONE, 0}};
    return 1;
}

int main(int argc, char** argv) {
    const std::string letters = "UDLRSE";
    const SDLKey syms[] = {SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT, SDLK_SPACE, SDLK_ESCAPE};
    for (int i = 4; i < argc; ++i) {
        run.keys.emplace(std::stoi(argv[i]), syms[letters.find(argv[i][std::strlen(argv[i]) - 1])]);
    }
    // As the game starts: seeded, the Game made, an empty table, SDL and the pictures.
    seedRandom(static_cast<unsigned>(std::stoul(argv[1])));
    Game game;
    ScoreFile scores{"", ScoreTable(kListedScores, ScoreEntry{0, ""}), {}, false};
    Pictures pictures;
    run.frames = std::fopen(argv[3], "wb");
    if (run.frames == nullptr || chdir(argv[2]) != 0 || SDL_Init(SDL_INIT_VIDEO) < 0 ||
        (run.screen = SDL_SetVideoMode(320, 240, 16, SDL_SWSURFACE)) == nullptr ||
        !loadPictures(pictures)) {
        std::fprintf(stderr, "dwindle_web_script: cannot start: %s\n", SDL_GetError());
        return 1;
    }
    drawPicture(Painter{}, pictures.nameScreen, run.screen, 0, 0);
    writeFrame();
    int frameCounter = 0;
    runLoop(game, *openControls(run.screen), scores, run.screen, pictures, frameCounter);
    return 1;
}
