// Platform cycle: shrinking, vanishing and regrowing platforms, and their drawing.
#include "game/Board.h"

#include "gfx/PlatformCache.h"
#include "platform/Random.h"

namespace {
void add(PlatformDrawing& drawing, const Cell& cell) {
    drawing.ellipses[drawing.count++] = {cell.x, cell.y, cell.rx, cell.ry};
}
// A platform thinner than this is gone.
constexpr int kThinnest = 3;
}  // namespace

int vanishWait(int level) {
    if (level <= 5) {
        return randomDraw() % 10;
    }
    if (level <= 10) {
        return randomDraw() % 12;
    }
    return randomDraw() % 14;
}

PlatformDrawing cyclePlatforms(Game& game) {
    PlatformDrawing drawing;
    for (int c = 0; c < game.cols; ++c) {
        for (int r = 0; r < game.rows; ++r) {
            Cell& cell = game.cell(c, r);
            if (!cell.present) {
                // Back at full size, but first drawn on the next frame.
                if (cell.timer - 1 < 0) {
                    cell.rx = cell.fullRx;
                    cell.ry = cell.fullRy;
                    cell.present = true;
                } else {
                    --cell.timer;
                }
            } else if (cell.ry - game.shrinkStep < kThinnest) {
                cell.present = false;
                cell.timer = vanishWait(game.level);
            } else {
                if (!game.isPortalCell(c, r)) {
                    cell.rx -= game.shrinkStep;
                    cell.ry -= game.shrinkStep;
                }
                add(drawing, cell);
            }
        }
    }
    // The portal's platform keeps its full size from the first tick on.
    Cell& portal = game.portalCell();
    portal.rx = portal.fullRx;
    portal.ry = portal.fullRy;
    return drawing;
}

PlatformDrawing presentPlatforms(const Game& game) {
    PlatformDrawing drawing;
    for (int c = 0; c < game.cols; ++c) {
        for (int r = 0; r < game.rows; ++r) {
            const Cell& cell = game.cell(c, r);
            if (cell.present) {
                add(drawing, cell);
            }
        }
    }
    return drawing;
}

void drawPlatforms(SDL_Surface* screen, const PlatformDrawing& drawing,
                   const PlatformCache* cache) {
    for (int i = 0; i < drawing.count; ++i) {
        const PlatformDrawing::Ellipse& e = drawing.ellipses[i];
        drawPlatform(screen, e.x, e.y, e.rx, e.ry, cache);
    }
}
