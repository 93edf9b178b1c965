// The play pass: one frame of the game as the main loop plays it, and as the benchmarks time
// it.
#pragma once

#include <SDL/SDL.h>

#include "game/Game.h"
#include "shell/Pictures.h"

// One pass of play on the canvas the last pass left: the HUD, the frame's rules and drawing
// (updateFrame shows the frame itself, and may hold it through a pause) with its effects from
// `sounds`, the enemies' step.
void playPass(Game& game, SDL_Surface* screen, const Pictures& pictures, int frameCounter,
              const Sounds* sounds = nullptr);
// The pass counter of the next pass: one more, and 0 again after 10000.
int nextFrameCounter(int frameCounter);
