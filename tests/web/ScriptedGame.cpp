// dwindle_web_script SEED IMAGES_PARENT OUT: the desktop game on the dummy video driver,
// played for the browser test to replay pass by pass: Space at the menu, moves to the first
// level's portal chosen as it plays, Escape in the second level, one letter raised and the
// name confirmed. Writes each frame shown when the game waits (OUT/frames.bin, 320x240 pixels
// of 16 bits), the menu's first and the listing's last, and each key with the wait it was
// pressed at, counted from the menu's (OUT/keys.txt).
#include <SDL/SDL.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "game/Wait.h"
#include "shell/MainLoop.h"

namespace {
struct Run {
    Game game;
    SDL_Surface* screen = nullptr;
    std::FILE* frames = nullptr;
    std::FILE* keys = nullptr;
    int waits = 0;
    int nameWaits = 0;
    bool left = false;
};
Run& run() {
    static Run r;
    return r;
}

void writeFrame() {
    for (int y = 0; y < run().screen->h; ++y) {
        std::fwrite(static_cast<Uint8*>(run().screen->pixels) + y * run().screen->pitch, 2,
                    run().screen->w, run().frames);
    }
}

// Pressed and released now, read by the next pass, as the browser test presses it.
void press(SDLKey sym, const char* name) {
    std::fprintf(run().keys, "%d %s\n", run().waits, name);
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = sym;
    SDL_PushEvent(&event);
    event.type = SDL_KEYUP;
    SDL_PushEvent(&event);
}

// Lasts through the one shrink that may come before a move lands.
bool lasts(const Game& g, int col, int row) {
    return col >= 0 && col < g.cols && row >= 0 && row < g.rows && g.cell(col, row).present &&
           g.cell(col, row).ry >= 5;
}

// Up or right onto the larger platform that lasts; left or down only off one that does not.
void planMove(const Game& g) {
    const int c = g.playerCol, r = g.playerRow;
    const bool up = lasts(g, c, r - 1), right = lasts(g, c + 1, r);
    if (up && (!right || g.cell(c, r - 1).ry >= g.cell(c + 1, r).ry)) {
        press(SDLK_UP, "Up");
    } else if (right) {
        press(SDLK_RIGHT, "Right");
    } else if (!lasts(g, c, r) && lasts(g, c - 1, r)) {
        press(SDLK_LEFT, "Left");
    } else if (!lasts(g, c, r) && lasts(g, c, r + 1)) {
        press(SDLK_DOWN, "Down");
    }
}
}  // namespace

void waitMs(Uint32 ms) {
    writeFrame();
    const Game& g = run().game;
    if (ms == 80) {  // the name entry's passes
        // The letter raised, then confirmed; the pass that reads it waits once more.
        const int step = run().nameWaits++;
        if (step < 2) {
            press(step == 0 ? SDLK_UP : SDLK_SPACE, step == 0 ? "Up" : "Space");
        }
    } else if (g.playing && g.level == 1) {
        planMove(g);
    } else if (g.playing && !run().left) {
        run().left = true;
        press(SDLK_ESCAPE, "Escape");
    }
    if (++run().waits > 2000) {
        std::fprintf(stderr, "dwindle_web_script: the portal was not reached\n");
        std::exit(1);
    }
}

// The menu: Space the first time; the second time it lists the new score, and the run ends.
int waitForEvent(SDL_Event* event) {
    if (SDL_PollEvent(event) == 1) {
        return 1;
    }
    writeFrame();
    if (run().left) {
        std::exit(std::fclose(run().frames) == 0 && std::fclose(run().keys) == 0 ? 0 : 1);
    }
    *event = SDL_Event{};
    event->type = SDL_KEYDOWN;
    event->key.keysym.sym = SDLK_SPACE;
    return 1;
}

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s SEED IMAGES_PARENT OUT\n", argv[0]);
        return 2;
    }
    const std::filesystem::path out = std::filesystem::absolute(argv[3]);
    // As the game starts: seeded, the Game made, an empty table, SDL and the pictures.
    std::srand(static_cast<unsigned>(std::stoul(argv[1])));
    run().game = Game();
    run().frames = std::fopen((out / "frames.bin").c_str(), "wb");
    run().keys = std::fopen((out / "keys.txt").c_str(), "w");
    ScoreFile scores{"", ScoreTable(kListedScores, ScoreEntry{0, ""}), false};
    Pictures pictures;
    if (run().frames == nullptr || run().keys == nullptr || chdir(argv[2]) != 0 ||
        SDL_Init(SDL_INIT_VIDEO) < 0 ||
        (run().screen = SDL_SetVideoMode(320, 240, 16, SDL_SWSURFACE)) == nullptr ||
        !loadPictures(pictures)) {
        std::fprintf(stderr, "dwindle_web_script: cannot start: %s\n", SDL_GetError());
        return 1;
    }
    int frameCounter = 0;
    runLoop(run().game, scores, run().screen, pictures, frameCounter);
    std::fprintf(stderr, "dwindle_web_script: the game ended before the listing\n");
    return 1;
}
