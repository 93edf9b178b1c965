// One frame of play, in its fixed order: every step reads the state the earlier ones left.
#include "game/Board.h"
#include "game/Bonuses.h"
#include "game/EnemyPresence.h"
#include "game/Fate.h"
#include "game/Game.h"
#include "game/Pause.h"
#include "game/Rules.h"
#include "platform/Screen.h"
#include "sound/Playing.h"

namespace {
void drawPortal(const Game& game, SDL_Surface* screen, SDL_Surface* picture) {
    const Cell& portal = game.portalCell();
    drawPicture(game.painter, picture, screen, portal.x - 13, portal.y - 45);
}

void drawPlayer(const Game& game, SDL_Surface* screen, SDL_Surface* picture) {
    drawPicture(game.painter, picture, screen, figureX(game, game.playerCol, 5),
                figureY(game, game.playerRow, 15));
}

// Holds the frame for three seconds, its effects already sounding: a player hears what
// happened during the hold, not after it.
void holdWithEffects(Game& game, const Sounds* sounds) {
    playCues(game.cues, sounds);
    pauseGame();
}
}  // namespace

void Game::updateFrame(SDL_Surface* screen, int frameCounter, SDL_Surface* playerPicture,
                       SDL_Surface* portalPicture, SDL_Surface* pointsPicture,
                       SDL_Surface* penaltyPicture, SDL_Surface* lifePicture,
                       SDL_Surface* recallPicture, SDL_Surface* enemy1Picture,
                       SDL_Surface* enemy2Picture, SDL_Surface* enemy3Picture,
                       const PlatformCache* platforms, const Sounds* sounds) {
    SDL_Surface* const bonusPictures[4] = {pointsPicture, penaltyPicture, lifePicture,
                                           recallPicture};
    SDL_Surface* const enemyPictures[kEnemyCount] = {enemy1Picture, enemy2Picture, enemy3Picture};

    drawPlatforms(screen,
                  isShrinkTick(frameCounter) ? cyclePlatforms(*this) : presentPlatforms(*this),
                  platforms);
    updateBonuses(*this);
    drawBonuses(*this, screen, bonusPictures);
    drawPortal(*this, screen, portalPicture);
    drawPlayer(*this, screen, playerPicture);
    updateEnemyPresence(*this);
    drawEnemies(*this, screen, enemyPictures);
    showScreen(screen);

    // What follows draws nothing: the frame just shown stays up through any pause.
    if (checkFall(*this) == Outcome::Replay) {
        holdWithEffects(*this, sounds);
    }
    for (Enemy& enemy : enemies) {
        if (checkCapture(*this, enemy) == Outcome::Replay) {
            holdWithEffects(*this, sounds);
        }
    }
    if (onPortal(*this)) {
        cues.note(Effect::Portal);
        holdWithEffects(*this, sounds);
        enterNextLevel(*this);
    }
    // A pickup, or the last life lost, with no hold.
    playCues(cues, sounds);
}
