// The player's fate: falls, captures and the portal, and the level each leads to.
#include "game/Fate.h"

#include "game/EnemyPresence.h"

namespace {
constexpr int kPortalPoints = 500;
constexpr int kGameOver = -1;

// Losing a life while none is left in reserve ends the game: true when this loss has ended it.
bool lastLifeEndsGame(Game& game) {
    const bool last = game.lives - 1 < 0;
    if (last) {
        game.setupLevel(kGameOver);
        game.cues.note(Effect::GameOver);
    }
    return last;
}
}  // namespace

Outcome checkFall(Game& game) {
    if (game.cell(game.playerCol, game.playerRow).present) {
        return Outcome::None;
    }
    if (lastLifeEndsGame(game)) {
        return Outcome::GameOver;
    }
    game.cues.note(Effect::Fall);
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
    if (lastLifeEndsGame(game)) {
        return Outcome::GameOver;
    }
    game.cues.note(Effect::Capture);
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
    return game.isPortalCell(game.playerCol, game.playerRow);
}

void enterNextLevel(Game& game) {
    game.setupLevel(game.level + 1);
    game.score += kPortalPoints;
}
