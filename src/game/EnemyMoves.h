// Enemy movement: chasing the player over large platforms, fleeing small ones.
#pragma once

#include "game/Game.h"

// Frames between enemy moves, and the radius at or below which a platform is too small.
struct EnemyPace {
    int interval;
    int threshold;
};

EnemyPace enemyPace(int level);
bool isEnemyTick(int level, int frameCounter);
// Moves one enemy one step, whatever its flags.
void stepEnemy(const Game& game, Enemy& enemy, int threshold);
