// Pickups: their waits and placing, the loss of their platform, collection and drawing.
#include "game/Bonuses.h"

#include "game/EnemyPresence.h"
#include "game/Rules.h"
#include "platform/Random.h"

namespace {
constexpr int kShortWaits = 120;  // after a collection, and for points and penalties
constexpr int kLongWaits = 300;   // for the extra life and the recall
constexpr int kPenalty = 350;

int pointsAt(int level) {
    return 10 * level + 90;
}

// The pickups' effects, by kind.
constexpr Effect kCollected[4] = {Effect::Points, Effect::Penalty, Effect::Life, Effect::Recall};

void collect(Game& game, Bonus& bonus) {
    bonus.visible = false;
    bonus.timer = randomDraw() % kShortWaits;
    switch (bonus.kind) {
        case kPointsBonus:
            game.score += pointsAt(game.level);
            break;
        case kPenaltyBonus:
            game.score -= kPenalty;
            break;
        case kLifeBonus:
            game.lives += 1;
            break;
        case kRecallBonus:
            recallEnemy(game);
            break;
        default:
            return;
    }
    game.cues.note(kCollected[bonus.kind]);
}
}  // namespace

void updateBonus(Game& game, Bonus& bonus) {
    if (bonus.timer > 0) {
        if (!bonus.visible) {
            --bonus.timer;
        }
    } else if (!bonus.visible) {
        randomFreeCell(game, bonus.col, bonus.row);
        bonus.timer = 0;
        bonus.visible = true;
    }

    if (!game.cell(bonus.col, bonus.row).present) {
        bonus.visible = false;
        const bool small = bonus.kind == kPointsBonus || bonus.kind == kPenaltyBonus;
        bonus.timer = randomDraw() % (small ? kShortWaits : kLongWaits);
    }

    if (bonus.visible && bonus.col == game.playerCol && bonus.row == game.playerRow &&
        bonus.enabled) {
        collect(game, bonus);
    }
}

void updateBonuses(Game& game) {
    for (int i = 0; i < kBonusesInPlay; ++i) {
        updateBonus(game, game.bonuses[i]);
    }
}

void recallEnemy(Game& game) {
    for (Enemy& enemy : game.enemies) {
        if (enemy.enabled && enemy.visible) {
            sendToPortal(game, enemy);
            return;
        }
    }
}

void drawBonuses(const Game& game, SDL_Surface* screen, SDL_Surface* const pictures[4]) {
    for (int i = 0; i < kBonusesInPlay; ++i) {
        const Bonus& bonus = game.bonuses[i];
        if (bonus.enabled && bonus.visible && bonus.kind >= 0 && bonus.kind <= 3) {
            drawPicture(game.painter, pictures[bonus.kind], screen, figureX(game, bonus.col, 8),
                        figureY(game, bonus.row, 15));
        }
    }
}
