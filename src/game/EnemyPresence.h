// Enemies coming and going: sent back to wait at the portal, entering there when their wait is
// over, and drawn while they are on the board.
#pragma once

#include <SDL/SDL.h>

#include "game/Game.h"

// Puts the enemy on the portal cell.
void moveToPortal(const Game& game, Enemy& enemy);
// Takes the enemy off the board to wait at the portal for a drawn number of frames.
void sendToPortal(Game& game, Enemy& enemy);
// Enemies whose platform is gone go back to wait at the portal; waiting ones count down
// and enter there.
void updateEnemyPresence(Game& game);
void drawEnemies(const Game& game, SDL_Surface* screen, SDL_Surface* const pictures[3]);
