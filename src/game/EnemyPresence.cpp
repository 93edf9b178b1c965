// Enemies coming and going: sent back to wait at the portal, entering there when their wait is
// over, and drawn while they are on the board.
#include "game/EnemyPresence.h"

#include "game/Rules.h"
#include "platform/Random.h"

void moveToPortal(const Game& game, Enemy& enemy) {
    enemy.col = game.portalCol();
    enemy.row = game.portalRow();
}

void sendToPortal(Game& game, Enemy& enemy) {
    moveToPortal(game, enemy);
    enemy.visible = false;
    enemy.timer = randomDraw() % kEnemyWaits;
}

void updateEnemyPresence(Game& game) {
    for (Enemy& enemy : game.enemies) {
        if (!enemy.enabled) {
            continue;
        }
        if (!game.cell(enemy.col, enemy.row).present) {
            sendToPortal(game, enemy);
        }
        if (!enemy.visible) {
            if (enemy.timer > 0) {
                --enemy.timer;
            } else if (enemy.timer == 0) {
                moveToPortal(game, enemy);
                enemy.visible = true;
            }
        }
    }
}

void drawEnemies(const Game& game, SDL_Surface* screen, SDL_Surface* const pictures[3]) {
    for (int i = 0; i < kEnemyCount; ++i) {
        const Enemy& enemy = game.enemies[i];
        if (enemy.enabled && enemy.visible) {
            drawPicture(game.painter, pictures[i], screen, figureX(game, enemy.col, 5),
                        figureY(game, enemy.row, 15));
        }
    }
}
