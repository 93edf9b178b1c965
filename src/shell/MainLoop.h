// The main loop: menu passes and play passes until the player leaves.
#pragma once

#include <SDL/SDL.h>

#include "game/Game.h"
#include "shell/Pictures.h"
#include "shell/ScoreFile.h"

struct Controls;

// Applies one event of the play input: arrows and stick move, Escape and SELECT end the game.
// A quit request ends the game as Escape does; returns true for it.
bool applyPlayInput(Game& game, const SDL_Event& event);

// The end of every pass, menu or play: the input applied (during play, held while the player
// is away; a hop heard from `sounds`, which the sound keys set), the frame shown, the pass's
// delay, the counter advanced, and the background drawn as the canvas of the next pass.
void finishPass(Game& game, Controls& controls, SDL_Surface* screen, const Pictures& pictures,
                int& frameCounter, Sounds* sounds = nullptr);

// Runs passes until the player leaves the menu. A score that enters the table is saved to the
// score file at once. frameCounter counts every pass, 0 to 10000, and starts over at 0. The
// effects and, during play, the tune sound from `sounds`.
void runLoop(Game& game, Controls& controls, ScoreFile& scores, SDL_Surface* screen,
             const Pictures& pictures, int& frameCounter, Sounds* sounds = nullptr);
