// The jobs the scripts run under callgrind, strace and time: passes, a scripted game, start-ups.
#include <SDL/SDL.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "Modes.h"
#include "Scene.h"
#include "platform/Controls.h"
#include "platform/Random.h"
#include "platform/Screen.h"
#include "shell/MainLoop.h"
#include "shell/PlayPass.h"

// Callgrind counts from the entry of measuredPass to its return (--toggle-collect), so the
// start-up and the board copy between passes stay out of the count.
__attribute__((noinline)) void measuredPass(Scene& scene, char kind, int frame) {
    if (kind == 'p') {
        scene.playPass(frame);
    } else if (kind == 'f') {
        scene.floorPass(frame, Floor::DirectCalls);
    } else if (kind == 'b') {
        scene.floorPass(frame, Floor::Blits);
    } else {
        scene.restore();
    }
}

int runInstructionJob(const char* kind, int level, const char* frame, int n) {
    const bool known = std::strcmp(kind, "play") == 0 || std::strcmp(kind, "floor") == 0 ||
                       std::strcmp(kind, "blits") == 0 || std::strcmp(kind, "copy") == 0;
    if (!known || n <= 0 || level < 1 || level > 15) {
        std::fprintf(stderr, "dwindle_bench: bad instruction job\n");
        return 2;
    }
    Scene scene(level);
    const int f = std::strcmp(frame, "tick") == 0 ? Scene::kTickFrame : Scene::kPlainFrame;
    for (int i = 0; i < n; ++i) {
        scene.restore();
        measuredPass(scene, kind[0], f);
    }
    if (kind[0] == 'p') {
        checkSteady(scene, level);
    }
    endSession();
    return 0;
}

namespace {
// Pass i of a scripted game: a new game whenever one ends, as the menu starts one, but each in
// turn from the first level of another band, so that every board size is played; the player
// heads for the portal, a step right or up every fifth pass. Then the main loop's play pass
// with its sounds, input, flip and next canvas; its wait takes no time.
void scriptedPass(Session& s, Controls& controls, Game& game, int i, int& frameCounter,
                  int& games) {
    if (!game.playing) {
        game.playing = true;
        game.lives = 3;
        game.score = 0;
        game.setupLevel(kBandLevels[games++ % 3]);
    }
    if (i % 5 == 0) {
        SDL_Event key{};
        key.type = SDL_KEYDOWN;
        key.key.keysym.sym = i / 5 % 2 == 0 ? SDLK_RIGHT : SDLK_UP;
        SDL_PushEvent(&key);
    }
    playPass(game, s.screen, s.pictures, frameCounter, &s.sounds);
    finishPass(game, controls, s.screen, s.pictures, frameCounter, &s.sounds);
}

// Nanoseconds each thread of this process has run, by thread id.
std::map<std::string, double> threadTimes() {
    std::map<std::string, double> times;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream(task.path() / "schedstat") >> times[task.path().filename()];
    }
    return times;
}
}  // namespace

int runPlayJob(int n) {
    Session& s = session();
    Game game;
    seedRandom(7);
    int frameCounter = 0;
    int games = 0;
    int levelsReached = 0;
    Controls* controls = openControls(s.screen);
    // The thread name is the marker: prctl touches no file.
    prctl(PR_SET_NAME, "dw-play");
    for (int i = 0; i < n; ++i) {
        scriptedPass(s, *controls, game, i, frameCounter, games);
        levelsReached = std::max(levelsReached, static_cast<int>(game.level));
    }
    prctl(PR_SET_NAME, "dw-done");
    closeControls(controls);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("passes %d, games %d, highest level %d, max RSS %ld KiB\n", n, games, levelsReached,
                usage.ru_maxrss);
    endSession();
    return 0;
}

int runSoundJob(int n) {
    Session& s = session();
    if (!s.sounds.open) {
        std::fprintf(stderr, "dwindle_bench: no audio device\n");
        return 1;
    }
    Game game;
    seedRandom(7);
    int frameCounter = 0;
    int games = 0;
    Controls* controls = openControls(s.screen);
    const std::map<std::string, double> before = threadTimes();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < n; ++i) {
        scriptedPass(s, *controls, game, i, frameCounter, games);
        SDL_Delay(50);  // the game's pace, and the tune's
    }
    closeControls(controls);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const std::string gameThread = std::to_string(getpid());
    for (auto [thread, ns] : threadTimes()) {
        ns -= before.count(thread) != 0 ? before.at(thread) : 0;  // a thread started meanwhile
        std::printf("%s thread: %.2f %% of one core over %.0f s of play\n",
                    thread == gameThread ? "game" : "mixer", ns / 1e9 / seconds * 100, seconds);
    }
    endSession();
    return 0;
}

int runStartupJob(int n) {
    if (n <= 0 || chdir(DWINDLE_IMAGES_DIR "/..") != 0) {
        std::fprintf(stderr, "dwindle_bench: bad start-up job\n");
        return 2;
    }
    std::vector<double> ms;
    for (int i = 0; i < n; ++i) {
        const auto start = std::chrono::steady_clock::now();
        // The program's start-up steps up to the first splash on screen.
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK) < 0) {
            return 1;
        }
        SDL_Surface* screen = openScreen();
        Controls* controls = openControls(screen);
        Pictures pictures;
        if (screen == nullptr || !loadPictures(pictures)) {
            return 1;
        }
        Sounds sounds;
        openSounds(sounds);
        SDL_ShowCursor(SDL_DISABLE);
        SDL_EnableKeyRepeat(500, 30);
        drawPicture(Painter(), pictures.nameScreen, screen, 0, 0);
        showScreen(screen);
        const auto shown = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(shown - start).count());
        freePictures(pictures);
        closeSounds(sounds);
        closeControls(controls);
        closeScreen(screen);
        SDL_Quit();
    }
    std::sort(ms.begin(), ms.end());
    std::printf(
        "start-up to first splash: median %.2f ms, fastest %.2f ms, slowest %.2f ms (%d runs)\n",
        ms[ms.size() / 2], ms.front(), ms.back(), n);
    return 0;
}

int runShotJob(int level, const char* path) {
    const Session& s = session();
    const Pictures& p = s.pictures;
    Game game;
    seedRandom(static_cast<unsigned>(level) * 7919u);
    game.playing = true;
    game.setupLevel(level);
    // The game's own passes from the level's start up to the first platform tick and a bit.
    for (int frame = 1; frame <= 20 && game.playing; ++frame) {
        drawPicture(game.painter, p.background, s.screen, 0, 0);
        playPass(game, s.screen, p, frame);
    }
    const int saved = SDL_SaveBMP(s.screen, path);
    endSession();
    return saved == 0 ? 0 : 1;
}
