// Enemy movement: chasing the player over large platforms, fleeing small ones.
#include "game/EnemyMoves.h"

namespace {

bool isOpen(const Game& game, int col, int row, int threshold) {
    const Cell& cell = game.cell(col, row);
    return cell.present && cell.rx > threshold;
}

// Closes the column distance first, the row distance when that step is blocked.
void chase(const Game& game, Enemy& enemy, int threshold) {
    const int c = enemy.col;
    const int r = enemy.row;
    if (c > game.playerCol && isOpen(game, c - 1, r, threshold)) {
        enemy.col = c - 1;
    } else if (c < game.playerCol && isOpen(game, c + 1, r, threshold)) {
        enemy.col = c + 1;
    } else if (r > game.playerRow && isOpen(game, c, r - 1, threshold)) {
        enemy.row = r - 1;
    } else if (r < game.playerRow && isOpen(game, c, r + 1, threshold)) {
        enemy.row = r + 1;
    }
}

// Steps onto the largest present neighbour; on a tie the first of left, right, up, down.
void flee(const Game& game, Enemy& enemy) {
    const int c = enemy.col;
    const int r = enemy.row;
    struct Step {
        bool inside;
        int col, row;
    };
    const Step steps[] = {
        {c >= 1, c - 1, r},
        {c + 1 < game.cols, c + 1, r},
        {r >= 1, c, r - 1},
        {r + 1 < game.rows, c, r + 1},
    };
    const Step* choice = nullptr;
    int best = 0;
    for (const Step& step : steps) {
        if (!step.inside) {
            continue;
        }
        const Cell& cell = game.cell(step.col, step.row);
        if (cell.present && cell.rx > best) {
            choice = &step;
            best = cell.rx;
        }
    }
    if (choice != nullptr) {
        enemy.col = choice->col;
        enemy.row = choice->row;
    }
}

}  // namespace

EnemyPace enemyPace(int level) {
    return level <= 10 ? EnemyPace{13, 6} : EnemyPace{8, 2};
}

bool isEnemyTick(int level, int frameCounter) {
    return frameCounter % enemyPace(level).interval == 0;
}

void stepEnemy(const Game& game, Enemy& enemy, int threshold) {
    if (game.cell(enemy.col, enemy.row).rx >= threshold + 2) {
        chase(game, enemy, threshold);
    } else {
        flee(game, enemy);
    }
}

void Game::stepEnemies(int frameCounter) {
    if (!isEnemyTick(level, frameCounter)) {
        return;
    }
    const int threshold = enemyPace(level).threshold;
    for (Enemy& enemy : enemies) {
        stepEnemy(*this, enemy, threshold);
    }
}
