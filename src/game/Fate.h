// The player's fate: enemies coming and going, falls, captures and the portal.
#pragma once

#include <SDL/SDL.h>

#include "game/Game.h"

// Enemies whose platform is gone go back to wait at the portal; waiting ones count down
// and enter there.
void updateEnemyPresence(Game& game);
void drawEnemies(const Game& game, SDL_Surface* screen, SDL_Surface* const pictures[3]);
void drawPortal(const Game& game, SDL_Surface* screen, SDL_Surface* picture);
void drawPlayer(const Game& game, SDL_Surface* screen, SDL_Surface* picture);

enum class Outcome { None, GameOver, Replay };

// The player's platform is gone: a life lost and the level rebuilt, or the game over.
Outcome checkFall(Game& game);
// An enabled, visible enemy on the player's cell: a life lost and the player back at the
// start, or the game over.
Outcome checkCapture(Game& game, Enemy& enemy);
bool onPortal(const Game& game);
// On to the next level, with 500 points.
void enterNextLevel(Game& game);
