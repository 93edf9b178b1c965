// dwindle_web_passes: a minute of the game's play passes on the 8x6 board in the browser, each
// timed in the page: 1200 passes at the game's 50 ms cadence from level 11 on, the player
// stepping right or up every fifth pass as the native bench's play job does, and a new game
// from level 11 whenever one ends or leaves the band. Prints the median and the worst pass.
#include <SDL/SDL.h>
#include <emscripten.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "game/Game.h"
#include "platform/Controls.h"
#include "platform/Random.h"
#include "shell/MainLoop.h"
#include "shell/Pictures.h"
#include "shell/PlayPass.h"

int main() {
    constexpr int kPasses = 1200;
    constexpr int kFirstLevel = 11;
    SDL_Init(SDL_INIT_VIDEO);
    SDL_Surface* screen = SDL_SetVideoMode(320, 240, 16, SDL_SWSURFACE);
    Pictures p;
    if (screen == nullptr || !loadPictures(p)) {
        std::fprintf(stderr, "dwindle_web_passes: cannot start\n");
        return 1;
    }
    seedRandom(7);
    Game game;
    int frameCounter = 0;
    Controls* controls = openControls(screen);
    std::vector<double> times;
    drawPicture(game.painter, p.background, screen, 0, 0);
    for (int i = 0; i < kPasses; ++i) {
        if (!game.playing || game.level < kFirstLevel) {
            game.playing = true;
            game.setupLevel(kFirstLevel);
        }
        if (i % 5 == 0) {
            SDL_Event key{};
            key.type = SDL_KEYDOWN;
            key.key.keysym.sym = i / 5 % 2 == 0 ? SDLK_RIGHT : SDLK_UP;
            SDL_PushEvent(&key);
        }
        // The main loop's play pass, input, flip and next canvas; its wait takes no time.
        const double start = emscripten_get_now();
        playPass(game, screen, p, frameCounter);
        finishPass(game, *controls, screen, p, frameCounter);
        times.push_back(emscripten_get_now() - start);
        SDL_Delay(50);
    }
    std::sort(times.begin(), times.end());
    std::printf("%d passes on the 8x6 board: median %.2f ms, worst %.2f ms\n", kPasses,
                times[times.size() / 2], times.back());
    closeControls(controls);
    return 0;
}
