// Helpers shared by the rules of play.
#include "game/Rules.h"

#include <cstdlib>

void randomFreeCell(const Game& game, int32_t& col, int32_t& row) {
    do {
        col = std::rand() % game.cols;
        row = std::rand() % game.rows;
    } while (game.isPortalCell(col, row));
}
