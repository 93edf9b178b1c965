// The program: start-up, the splash pictures, the main loop and shut-down.
#include "shell/Program.h"

#include <SDL/SDL.h>

#include <cstdio>

#include "game/Game.h"
#include "platform/Controls.h"
#include "platform/Display.h"
#include "platform/EventQueue.h"
#include "platform/Platform.h"
#include "platform/Random.h"
#include "platform/Screen.h"
#include "platform/Signals.h"
#include "platform/Wait.h"
#include "shell/MainLoop.h"
#include "shell/Pictures.h"
#include "shell/ScoreFile.h"
#include "shell/Settings.h"
#include "shell/Window.h"
#include "sound/Sounds.h"
#include "sound/Volume.h"

namespace {
constexpr const char* kScoreFile = "data.dat";
constexpr Uint32 kSplashMs = 4000;
// Short enough that a quit request during the splash takes effect at once.
constexpr Uint32 kSplashSliceMs = 50;

// Shows the picture for four seconds, in short waits that end early on a key, a button, a click
// or a tap, which moves on, or on a quit request, which is kept for the menu; returns false for
// one. Other input is read, for the window's own keys, and thrown away.
bool showSplash(const Painter& painter, Controls& controls, SDL_Surface* screen,
                SDL_Surface* picture) {
    drawPicture(painter, picture, screen, 0, 0);
    showScreen(screen);
    for (Uint32 waited = 0;; waited += kSplashSliceMs) {
        SDL_Event event;
        while (pollInput(controls, &event)) {
            if (event.type == SDL_QUIT) {
                requestQuit();
                return false;
            }
            if (event.type == SDL_KEYDOWN || event.type == SDL_JOYBUTTONDOWN ||
                event.type == SDL_MOUSEBUTTONDOWN) {
                return true;
            }
        }
        if (waited >= kSplashMs) {
            return true;
        }
        waitMs(kSplashSliceMs);
    }
}
}  // namespace

int runProgram() {
    seedRandom(randomSeed());
    Game game;
    // Read before SDL starts, so that a platform failure never touches the file.
    ScoreFile scores = openScoreFile(kScoreFile);

    // Before SDL starts, which takes over SIGTERM only as it finds it then.
    const SignalActions signalsBefore = takeSignals();
    if (!startSdl()) {
        // Over SSH or with a broken X server, this is all the player sees.
        std::fprintf(stderr, "Couldn't initialise SDL: %s\n", SDL_GetError());
        return 1;
    }
    setWindowTitleAndIcon();
    SDL_Surface* screen = openScreen();
    if (screen == nullptr) {
        std::fprintf(stderr, "Couldn't set video mode: %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    // The handheld's buttons and any pads; a desktop without one plays from the keyboard.
    Controls* controls = openControls(screen);
    Pictures pictures;
    if (!loadPictures(pictures)) {
        freePictures(pictures);
        closeControls(controls);
        closeScreen(screen);
        SDL_Quit();
        return 1;
    }
    // With the pictures, and freed with them; without a device the game plays silently.
    Sounds sounds;
    openSounds(sounds);
    loadSettings(sounds);
    applyVolume(sounds);
    SDL_ShowCursor(SDL_DISABLE);
    SDL_EnableKeyRepeat(500, 30);

    // A quit request during the first picture skips the second; the menu then leaves on it.
    Painter painter;
    if (showsSplash() && showSplash(painter, *controls, screen, pictures.nameScreen)) {
        showSplash(painter, *controls, screen, pictures.intro);
    }

    int frameCounter = 0;
    runLoop(game, *controls, scores, screen, pictures, frameCounter, &sounds);

    saveScoreFile(scores);
    flushFileSystems();
    freePictures(pictures);
    closeSounds(sounds);
    closeControls(controls);
    closeScreen(screen);
    giveBackSignals(signalsBefore);
    SDL_Quit();
    return 0;
}
