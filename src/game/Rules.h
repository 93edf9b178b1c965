// Constants and helpers shared by the rules of play.
#pragma once

#include "game/Game.h"

constexpr int kLastLevel = 15;
// Pickup records 0 to 12 take part in play; 13 and 14 are never placed.
constexpr int kBonusesInPlay = 13;
// Frames the second enemy of levels 11 to 15 waits before it first enters.
constexpr int kLateEnemyWait = 100;
// Frames an enemy waits at the portal after it is taken off the board.
constexpr int kEnemyWaits = 125;
// The largest grid is 8 x 6.
constexpr int kMaxGridCells = 48;

// Draws a random cell of the grid, column first, again and again until it is not the portal cell.
void randomFreeCell(const Game& game, int32_t& col, int32_t& row);

// Screen position of the top-left corner of a figure standing on a cell, for a figure
// whose feet are offsetX to the right of and offsetY below that corner.
inline int figureX(const Game& game, int col, int offsetX) {
    return game.originX + col * game.spacingX - offsetX;
}
inline int figureY(const Game& game, int row, int offsetY) {
    return game.originY + row * game.spacingY - offsetY;
}
