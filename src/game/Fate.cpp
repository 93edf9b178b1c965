// The player's fate: enemies coming and going, falls, captures and the portal.
#include "game/Fate.h"

#include "game/Random.h"
#include "game/Rules.h"

namespace {
constexpr int kPortalPoints = 500;
constexpr int kGameOver = -1;

void sendToPortal(Game& game, Enemy& enemy) {
    enemy.row = 0;
    enemy.col = game.cols - 1;
    enemy.visible = false;
    enemy.timer = randomDraw() % kEnemyWaits;
}

// Losing a life while none is left in reserve ends the game.
bool lastLife(const Game& game) {
    return game.lives - 1 < 0;
}
}  // namespace

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
                enemy.col = game.cols - 1;
                enemy.row = 0;
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

void drawPortal(const Game& game, SDL_Surface* screen, SDL_Surface* picture) {
    const Cell& portal = game.cell(game.cols - 1, 0);
    drawPicture(game.painter, picture, screen, portal.x - 13, portal.y - 45);
}

void drawPlayer(const Game& game, SDL_Surface* screen, SDL_Surface* picture) {
    drawPicture(game.painter, picture, screen, figureX(game, game.playerCol, 5),
                figureY(game, game.playerRow, 15));
}

Outcome checkFall(Game& game) {
    if (game.cell(game.playerCol, game.playerRow).present) {
        return Outcome::None;
    }
    if (lastLife(game)) {
        game.setupLevel(kGameOver);
        return Outcome::GameOver;
    }
    const int32_t score = game.score;
    const int32_t lives = game.lives;
    game.setupLevel(game.level);
    game.score = score;
    game.lives = lives - 1;
    return Outcome::Replay;
}

Outcome checkCapture(Game& game, Enemy& enemy) {
    if (!enemy.visible || !enemy.enabled || enemy.col != game.playerCol ||
        enemy.row != game.playerRow) {
        return Outcome::None;
    }
    if (lastLife(game)) {
        game.setupLevel(kGameOver);
        return Outcome::GameOver;
    }
    game.lives -= 1;
    Cell& start = game.startCell();
    start.rx = start.fullRx;
    start.ry = start.fullRy;
    start.timer = 0;
    start.present = true;
    sendToPortal(game, enemy);
    game.playerCol = 0;
    game.playerRow = game.rows - 1;
    return Outcome::Replay;
}

bool onPortal(const Game& game) {
    return game.playerCol == game.cols - 1 && game.playerRow == 0;
}

void enterNextLevel(Game& game) {
    game.setupLevel(game.level + 1);
    game.score += kPortalPoints;
}
