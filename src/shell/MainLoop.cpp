// The main loop: menu passes and play passes until the player leaves.
#include "shell/MainLoop.h"

#include "game/Pause.h"
#include "platform/Platform.h"
#include "platform/Wait.h"
#include "shell/Input.h"
#include "shell/Menu.h"
#include "shell/PlayPass.h"
#include "shell/SoundKeys.h"
#include "sound/Playing.h"

namespace {

constexpr Uint32 kPassDelayMs = 50;

// Returns true when the player leaves.
bool menuPass(Game& game, ScoreFile& scores, SDL_Surface* screen, const Pictures& p,
              Sounds* sounds) {
    stopTune(sounds);
    discardPendingEvents();
    if (entersTable(scores.table, game.score)) {
        game.enterName(screen, p.nameEntry, &p.glyphs, sounds);
        fileScore(scores, game.score, game.name);
        game.score = 0;
        // On disk before the menu shows it: from here on, no way of ending the process, not
        // even a kill or a power cut, can lose it.
        saveScoreFile(scores);
    }
    // The listing goes over the picture as it shows, which keeps the picture clean.
    drawPicture(game.painter, p.menu, screen, 0, 0);
    drawListing(scores.table, screen, &p.glyphs);
    SDL_Flip(screen);
    if (game.waitForStart(sounds)) {
        playEffect(sounds, Effect::Start);
        startTune(sounds);
        game.playing = true;
        game.setupLevel(1);
        return false;
    }
    return true;
}

void handleInput(Game& game, Sounds* sounds) {
    bool quit = false;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        applySoundInput(sounds, event);
        quit = applyPlayInput(game, event) || quit;
    }
    playCues(game.cues, sounds);
    // Kept for the menu pass that follows, which files the score and then leaves.
    if (quit) {
        requestQuit();
    }
}

}  // namespace

bool applyPlayInput(Game& game, const SDL_Event& event) {
    switch (directionOf(event)) {
        case Direction::Up:
            game.movePlayer('Y', false);
            return false;
        case Direction::Down:
            game.movePlayer('Y', true);
            return false;
        case Direction::Left:
            game.movePlayer('X', false);
            return false;
        case Direction::Right:
            game.movePlayer('X', true);
            return false;
        case Direction::None:
            break;
    }
    const bool leave = (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) ||
                       (event.type == SDL_JOYBUTTONDOWN && event.jbutton.button == kSelectButton);
    if (leave || event.type == SDL_QUIT) {
        game.playing = false;
    }
    return event.type == SDL_QUIT;
}

void finishPass(Game& game, SDL_Surface* screen, const Pictures& pictures, int& frameCounter,
                Sounds* sounds) {
    handleInput(game, sounds);
    SDL_Flip(screen);
    waitMs(kPassDelayMs);
    frameCounter = nextFrameCounter(frameCounter);
    // The canvas the next pass draws on.
    drawPicture(game.painter, pictures.background, screen, 0, 0);
}

void runLoop(Game& game, ScoreFile& scores, SDL_Surface* screen, const Pictures& pictures,
             int& frameCounter, Sounds* sounds) {
    bool leave = false;
    while (!leave) {
        if (!game.playing) {
            leave = menuPass(game, scores, screen, pictures, sounds);
        } else {
            playPass(game, screen, pictures, frameCounter, sounds);
            leave = false;
        }
        finishPass(game, screen, pictures, frameCounter, sounds);
    }
}
