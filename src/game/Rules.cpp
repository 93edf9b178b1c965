// Helpers shared by the rules of play.
#include "game/Rules.h"

#include "platform/Random.h"

void randomFreeCell(const Game& game, int32_t& col, int32_t& row) {
    do {
        col = randomDraw() % game.cols;
        row = randomDraw() % game.rows;
    } while (game.isPortalCell(col, row));
}
