// dwindle_web_script SEED IMAGES OUT: the desktop game on the dummy video driver, played for
// the browser test to replay pass by pass: Space at the menu, moves to the first level's
// portal chosen as it plays, Escape in the second level, one letter raised and the name
// confirmed, Escape at the listing. Writes every frame shown (OUT/frames.bin: 320x240 pixels
// of 16 bits, one frame each time the game waits) and the input (OUT/script.json).
#include <SDL/SDL.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "game/Game.h"
#include "game/Wait.h"
#include "shell/MainLoop.h"
#include "shell/Pictures.h"
#include "shell/ScoreTable.h"

namespace {

// The name entry's pass delay tells its waits from the play passes'.
constexpr Uint32 kNameEntryDelayMs = 80;
// Far more than reaching the portal takes; a plan that gets nowhere stops here.
constexpr int kMostPasses = 2000;
// A platform this thick outlasts one shrink.
constexpr int kSafeRy = 5;

struct Key {
    int pass;
    SDLKey sym;
    const char* name;
};

struct Run {
    Game* game = nullptr;
    SDL_Surface* screen = nullptr;
    std::FILE* frames = nullptr;
    int frameCount = 0;
    int pass = 0;  // waits of the main loop, the pauses and the name entry so far
    int menuWaits = 0;
    int nameWaits = 0;
    bool left = false;
    std::vector<Key> keys;
    std::vector<int> menuFrames;
};

Run& run() {
    static Run r;
    return r;
}

[[noreturn]] void fail(const char* why) {
    std::fprintf(stderr, "dwindle_web_script: %s\n", why);
    std::exit(1);
}

void writeFrame() {
    Run& r = run();
    for (int y = 0; y < r.screen->h; ++y) {
        const auto* row = static_cast<const Uint8*>(r.screen->pixels) + y * r.screen->pitch;
        std::fwrite(row, 2, r.screen->w, r.frames);
    }
    ++r.frameCount;
}

// Pressed and released now, read by the next pass; the browser test presses it at the same
// pass.
void press(SDLKey sym, const char* name) {
    Run& r = run();
    r.keys.push_back({r.pass, sym, name});
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = sym;
    SDL_PushEvent(&event);
    event.type = SDL_KEYUP;
    SDL_PushEvent(&event);
}

// A platform that outlasts the next shrink, which comes at most once before a move lands.
bool lasts(const Game& game, int col, int row) {
    return col >= 0 && col < game.cols && row >= 0 && row < game.rows &&
           game.cell(col, row).present && game.cell(col, row).ry >= kSafeRy;
}

// Up or right towards the portal at the top right, onto the larger platform that lasts; back
// down or left only to leave a platform about to vanish; else nothing.
void planMove(const Game& game) {
    struct Step {
        int dc, dr;
        SDLKey sym;
        const char* name;
    };
    constexpr Step kTowards[] = {{0, -1, SDLK_UP, "Up"}, {1, 0, SDLK_RIGHT, "Right"}};
    constexpr Step kAway[] = {{-1, 0, SDLK_LEFT, "Left"}, {0, 1, SDLK_DOWN, "Down"}};
    const int col = game.playerCol, row = game.playerRow;
    const Step* best = nullptr;
    for (const Step& step : kTowards) {
        if (lasts(game, col + step.dc, row + step.dr) &&
            (best == nullptr || game.cell(col + step.dc, row + step.dr).ry >
                                    game.cell(col + best->dc, row + best->dr).ry)) {
            best = &step;
        }
    }
    for (const Step& step : kAway) {
        if (best == nullptr && !lasts(game, col, row) &&
            lasts(game, col + step.dc, row + step.dr)) {
            best = &step;
        }
    }
    if (best != nullptr) {
        press(best->sym, best->name);
    }
}

void writeScript(const std::string& path, unsigned seed) {
    const Run& r = run();
    std::FILE* out = std::fopen(path.c_str(), "w");
    if (out == nullptr) {
        fail("cannot write script.json");
    }
    std::fprintf(out, "{\"seed\": %u, \"frames\": %d, \"menuFrames\": [%d, %d], \"keys\": [", seed,
                 r.frameCount, r.menuFrames.at(0), r.menuFrames.at(1));
    for (std::size_t i = 0; i < r.keys.size(); ++i) {
        std::fprintf(out, "%s[%d, \"%s\"]", i == 0 ? "" : ", ", r.keys[i].pass, r.keys[i].name);
    }
    std::fprintf(out, "]}\n");
    std::fclose(out);
}

}  // namespace

// Every wait shows a frame; the input for the next pass is decided here.
void waitMs(Uint32 ms) {
    Run& r = run();
    writeFrame();
    const Game& game = *r.game;
    if (ms == kNameEntryDelayMs) {
        // The letter raised, then confirmed; the pass that reads the confirmation waits once
        // more.
        const int step = r.nameWaits++;
        if (step == 0) {
            press(SDLK_UP, "Up");
        } else if (step == 1) {
            press(SDLK_SPACE, "Space");
        }
    } else if (game.playing && game.level == 1) {
        planMove(game);
    } else if (game.playing && !r.left) {
        r.left = true;
        press(SDLK_ESCAPE, "Escape");
    }
    if (++r.pass > kMostPasses) {
        fail("the portal was not reached");
    }
}

// The menu: Space the first time, then Escape at the listing with the new score.
int waitForEvent(SDL_Event* event) {
    Run& r = run();
    if (SDL_PollEvent(event) == 1) {
        return 1;
    }
    r.menuFrames.push_back(r.frameCount);
    writeFrame();
    *event = SDL_Event{};
    event->type = SDL_KEYDOWN;
    event->key.keysym.sym = r.menuWaits++ == 0 ? SDLK_SPACE : SDLK_ESCAPE;
    return 1;
}

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s SEED IMAGES_PARENT OUT\n", argv[0]);
        return 2;
    }
    const unsigned seed = static_cast<unsigned>(std::stoul(argv[1]));
    const std::string out = std::filesystem::absolute(argv[3]).string();
    Run& r = run();
    r.frames = std::fopen((out + "/frames.bin").c_str(), "wb");
    if (r.frames == nullptr || chdir(argv[2]) != 0) {
        fail("cannot open the output or the pictures' folder");
    }
    // As the game starts: seeded, then the Game made, an empty table, SDL and the pictures.
    std::srand(seed);
    Game game;
    r.game = &game;
    ScoreFile scores{"", ScoreTable(kListedScores, ScoreEntry{0, ""}), false};
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        fail(SDL_GetError());
    }
    r.screen = SDL_SetVideoMode(320, 240, 16, SDL_SWSURFACE);
    Pictures pictures;
    if (r.screen == nullptr || !loadPictures(pictures)) {
        fail("no screen or pictures");
    }
    int frameCounter = 0;
    runLoop(game, scores, r.screen, pictures, frameCounter);
    freePictures(pictures);
    SDL_Quit();
    std::fclose(r.frames);
    if (r.menuFrames.size() != 2 || game.level != 2) {
        fail("the game did not go from the menu to the second level and back");
    }
    writeScript(out + "/script.json", seed);
    return 0;
}
