// The main loop: menu passes and play passes until the player leaves.
#include "shell/MainLoop.h"

#include "platform/Controls.h"
#include "platform/EventQueue.h"
#include "platform/Screen.h"
#include "platform/Wait.h"
#include "shell/Hold.h"
#include "shell/Input.h"
#include "shell/Menu.h"
#include "shell/PlayPass.h"
#include "shell/SoundKeys.h"
#include "sound/Playing.h"

namespace {

constexpr Uint32 kPassDelayMs = 50;

// Returns true when the player leaves.
bool menuPass(Game& game, Controls& controls, ScoreFile& scores, SDL_Surface* screen,
              const Pictures& p, Sounds* sounds) {
    stopTune(sounds);
    discardPendingEvents();
    // A pad plugged in during the last game plays from here.
    reopenPads(controls);
    if (entersTable(scores.table, game.score)) {
        game.enterName(controls, screen, p.nameEntry, &p.glyphs, sounds);
        fileScore(scores, game.score, game.name);
        game.score = 0;
        // On disk before the menu shows it: from here on, no way of ending the process, not
        // even a kill or a power cut, can lose it.
        saveScoreFile(scores);
    }
    // The listing goes over the picture as it shows, which keeps the picture clean.
    drawPicture(game.painter, p.menu, screen, 0, 0);
    drawListing(scores.table, screen, &p.glyphs);
    showScreen(screen);
    if (game.waitForStart(controls, sounds)) {
        playEffect(sounds, Effect::Start);
        game.playing = true;
        game.setupLevel(1);
        startTune(sounds, game.level);
        return false;
    }
    return true;
}

// What stops the passes after the pass's input: the player away (see awayAfter) or pausing.
struct Stop {
    Uint8 away = 0;
    bool paused = false;
};

// Applies the pass's input. What comes after the player has left is thrown away, but for a
// quit request; what comes after a pause is left for the hold to read.
Stop handleInput(Game& game, Controls& controls, Sounds* sounds) {
    bool quit = false;
    Stop stop;
    SDL_Event event;
    while (!stop.paused && pollInput(controls, &event)) {
        applySoundInput(sounds, event);
        const bool applied = stop.away == 0 && applyPlayInput(game, event);
        quit = quit || applied || event.type == SDL_QUIT;
        stop.paused = stop.away == 0 && pausesGame(event);
        stop.away = awayAfter(stop.away, event);
    }
    playCues(game.cues, sounds);
    // Kept for the menu pass that follows, which files the score and then leaves.
    if (quit) {
        game.playing = false;
        requestQuit();
    }
    return stop;
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
    if (leavesGame(event) || event.type == SDL_QUIT) {
        game.playing = false;
    }
    return event.type == SDL_QUIT;
}

void finishPass(Game& game, Controls& controls, SDL_Surface* screen, const Pictures& pictures,
                int& frameCounter, Sounds* sounds) {
    const Stop stop = handleInput(game, controls, sounds);
    if ((stop.away != 0 || stop.paused) && game.playing) {
        const HoldEnd end =
            holdPlay(controls, screen, &pictures.glyphs, sounds, stop.away, stop.paused);
        game.playing = end == HoldEnd::PlayOn;
        if (end == HoldEnd::Quit) {
            requestQuit();
        }
    }
    showScreen(screen);
    waitMs(kPassDelayMs);
    frameCounter = nextFrameCounter(frameCounter);
    // The canvas the next pass draws on.
    drawPicture(game.painter, pictures.background, screen, 0, 0);
}

void runLoop(Game& game, Controls& controls, ScoreFile& scores, SDL_Surface* screen,
             const Pictures& pictures, int& frameCounter, Sounds* sounds) {
    bool leave = false;
    while (!leave) {
        if (!game.playing) {
            leave = menuPass(game, controls, scores, screen, pictures, sounds);
        } else {
            playPass(game, screen, pictures, frameCounter, sounds);
            // On to the next band's music once the portal has led there.
            if (game.playing) {
                startTune(sounds, game.level);
            }
            leave = false;
        }
        finishPass(game, controls, screen, pictures, frameCounter, sounds);
    }
}
