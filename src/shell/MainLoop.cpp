// The main loop: menu passes and play passes until the player leaves.
#include "shell/MainLoop.h"

#include "game/Pause.h"
#include "game/Wait.h"
#include "gfx/ImageLoader.h"
#include "shell/Input.h"
#include "shell/Menu.h"
#include "shell/Platform.h"

namespace {

constexpr int kLastFrame = 10000;
constexpr Uint32 kPassDelayMs = 50;

// Returns true when the player leaves.
bool menuPass(Game& game, ScoreFile& scores, SDL_Surface* screen, const Pictures& p) {
    discardPendingEvents();
    if (entersTable(scores.table, game.score)) {
        game.enterName(screen, &p.glyphs);
        fileScore(scores, game.score, game.name);
        game.score = 0;
        // On disk before the menu shows it: from here on, no way of ending the process, not
        // even a kill or a power cut, can lose it.
        saveScoreFile(scores);
        scoresSaved();
    }
    // Loaded afresh on every visit and released once shown.
    SDL_Surface* menu = ImageLoader().loadKeyedImage("Images/menu.png");
    drawListing(scores.table, menu, &p.glyphs);
    drawPicture(game.painter, menu, screen, 0, 0);
    SDL_FreeSurface(menu);
    SDL_Flip(screen);
    if (game.waitForStart()) {
        game.playing = true;
        game.setupLevel(1);
        return false;
    }
    return true;
}

void playPass(Game& game, SDL_Surface* screen, const Pictures& p, int frameCounter) {
    game.drawHud(screen, &p.glyphs);
    game.updateFrame(screen, frameCounter, p.player, p.portal, p.bonus[0], p.bonus[1], p.bonus[2],
                     p.bonus[3], p.enemy[0], p.enemy[1], p.enemy[2], &p.platforms);
    game.stepEnemies(frameCounter);
}

void handleInput(Game& game) {
    bool quit = false;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        quit = applyPlayInput(game, event) || quit;
    }
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

void runLoop(Game& game, ScoreFile& scores, SDL_Surface* screen, const Pictures& pictures,
             int& frameCounter) {
    bool leave = false;
    while (!leave) {
        if (!game.playing) {
            leave = menuPass(game, scores, screen, pictures);
        } else {
            playPass(game, screen, pictures, frameCounter);
            leave = false;
        }
        handleInput(game);
        SDL_Flip(screen);
        waitMs(kPassDelayMs);
        frameCounter = frameCounter + 1 > kLastFrame ? 0 : frameCounter + 1;
        // The canvas the next pass draws on.
        drawPicture(game.painter, pictures.background, screen, 0, 0);
    }
}
