// Pickups: their waits and placing, the loss of their platform, collection and drawing.
#pragma once

#include <SDL/SDL.h>

#include "game/Game.h"

// One frame of one pickup record, up to its drawing.
void updateBonus(Game& game, Bonus& bonus);
// Every record in play, in index order.
void updateBonuses(Game& game);
// Sends the first enabled and visible enemy back to wait at the portal.
void recallEnemy(Game& game);
// Draws every enabled, visible pickup with the picture of its kind.
void drawBonuses(const Game& game, SDL_Surface* screen, SDL_Surface* const pictures[4]);
