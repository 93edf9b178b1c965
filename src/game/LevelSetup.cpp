// Level setup: the band's grid, random gaps, whole start and portal cells, pickups, enemies.
#include "game/EnemyPresence.h"
#include "game/Game.h"
#include "game/Rules.h"
#include "platform/Random.h"

namespace {

// The geometry and pace of one band of five levels.
struct Band {
    int cols, rows, shrinkStep;
    int originX, originY, spacingX, spacingY;
    int fullRx, fullRy;
    int gapTries, gapSizes;
    int fixedRx, fixedRy;  // radii of the start and portal cells
    int bonusesPlaced;     // records 0 to bonusesPlaced - 1; 0 means 0 to level - 1
    int32_t kinds[kBonusesInPlay];
};

constexpr Band kBands[3] = {
    {5, 4, 2, 32, 65, 65, 50, 28, 24, 15, 20, 28, 24, 0, {}},
    {6, 5, 1, 25, 55, 53, 40, 23, 19, 15, 18, 28, 24, 8, {1, 0, 0, 0, 0, 0, 1, 1}},
    {8, 6, 1, 15, 50, 38, 35, 19, 15, 35, 18, 19, 15, 13, {0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 2, 3}},
};

// A gap try of this size or less removes the platform.
constexpr int kLargestGap = 7;
constexpr int kGapWaits = 40;

void layOutGrid(Game& game, const Band& band) {
    for (int c = 0; c < game.cols; ++c) {
        for (int r = 0; r < game.rows; ++r) {
            Cell& cell = game.cell(c, r);
            cell.fullRx = cell.rx = band.fullRx;
            cell.fullRy = cell.ry = band.fullRy;
            cell.x = game.originX + game.spacingX * c;
            cell.y = game.originY + game.spacingY * r;
            cell.timer = 0;
            cell.present = true;
        }
    }
}

void makeGaps(Game& game, const Band& band) {
    for (int i = 0; i < band.gapTries; ++i) {
        const int row = randomDraw() % game.rows;
        const int col = randomDraw() % game.cols;
        const int size = randomDraw() % band.gapSizes;
        Cell& cell = game.cell(col, row);
        cell.rx = size;
        cell.ry = size - game.shrinkStep;
        if (size <= kLargestGap) {
            cell.present = false;
            cell.timer = randomDraw() % kGapWaits;
        }
    }
}

void makeWhole(Cell& cell, const Band& band) {
    cell.rx = band.fixedRx;
    cell.ry = band.fixedRy;
    cell.present = true;
}

void placeBonuses(Game& game, const Band& band) {
    const bool firstBand = band.bonusesPlaced == 0;
    const int placed = firstBand ? game.level : band.bonusesPlaced;
    for (int i = 0; i < placed; ++i) {
        Bonus& bonus = game.bonuses[i];
        randomFreeCell(game, bonus.col, bonus.row);
        bonus.enabled = true;
        bonus.visible = true;
        bonus.timer = 0;
        bonus.kind = band.kinds[i];
    }
    // Up to level 10 only the first `level` records play; the extra life and the recall
    // (records 11 and 12) must not linger from an earlier game's later levels either.
    if (game.level <= 10) {
        for (int i = game.level; i < kBonusesInPlay; ++i) {
            game.bonuses[i].enabled = false;
        }
    }
}

void waitAtPortal(Game& game, Enemy& enemy, bool visible) {
    moveToPortal(game, enemy);
    enemy.visible = visible;
    enemy.enabled = true;
}

void placeEnemies(Game& game, int bandIndex) {
    for (Enemy& enemy : game.enemies) {
        enemy.enabled = false;
    }
    if (bandIndex >= 1) {
        waitAtPortal(game, game.enemies[0], true);
    }
    if (bandIndex == 2) {
        waitAtPortal(game, game.enemies[1], false);
        game.enemies[1].timer = kLateEnemyWait;
    }
}

}  // namespace

void Game::setupLevel(int32_t newLevel) {
    if (newLevel == 1) {
        lives = 3;
    }
    level = newLevel;
    if (level == 1) {
        score = 0;
    }
    if (level < 1 || level > kLastLevel) {
        playing = false;
        return;
    }
    const int bandIndex = (level - 1) / 5;
    const Band& band = kBands[bandIndex];
    cols = band.cols;
    rows = band.rows;
    playerCol = 0;
    playerRow = band.rows - 1;
    shrinkStep = band.shrinkStep;
    originX = band.originX;
    originY = band.originY;
    spacingX = band.spacingX;
    spacingY = band.spacingY;

    layOutGrid(*this, band);
    makeGaps(*this, band);
    makeWhole(startCell(), band);
    makeWhole(portalCell(), band);
    placeBonuses(*this, band);
    placeEnemies(*this, bandIndex);
}
