// The Game record's construction and the player's move.
#include "game/Game.h"

Game::Game()
    : level(1),
      playerCol(0),
      playerRow(3),
      cols(0),
      rows(0),
      shrinkStep(1),
      originX(0),
      originY(0),
      spacingX(0),
      spacingY(0),
      playing(false),
      lives(3),
      score(0),
      name{},
      cells{},
      bonuses{},
      enemies{},
      painter{},
      cues{} {}

void Game::movePlayer(char axis, bool forward) {
    const int step = forward ? 1 : -1;
    if (axis == 'X') {
        const int col = playerCol + step;
        if (col >= 0 && col < cols) {
            playerCol = col;
            cues.note(Effect::Hop);
        }
    } else if (axis == 'Y') {
        const int row = playerRow + step;
        if (row >= 0 && row < rows) {
            playerRow = row;
            cues.note(Effect::Hop);
        }
    }
}
