// The player's fate: falls, captures and the portal, and the level each leads to.
#pragma once

#include "game/Game.h"

enum class Outcome { None, GameOver, Replay };

// The player's platform is gone: a life lost and the level rebuilt, or the game over.
Outcome checkFall(Game& game);
// An enabled, visible enemy on the player's cell: a life lost and the player back at the
// start, or the game over.
Outcome checkCapture(Game& game, Enemy& enemy);
bool onPortal(const Game& game);
// On to the next level, with 500 points.
void enterNextLevel(Game& game);
