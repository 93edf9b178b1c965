// Platform cycle: shrinking, vanishing and regrowing platforms, and their drawing.
#pragma once

#include <SDL/SDL.h>

#include "game/Game.h"
#include "game/Rules.h"
#include "gfx/PlatformCache.h"

// Platforms shrink on every 13th frame.
constexpr int kShrinkInterval = 13;

inline bool isShrinkTick(int frameCounter) {
    return frameCounter % kShrinkInterval == 0;
}

// The platforms one frame draws, in drawing order, with the radii they are drawn at.
struct PlatformDrawing {
    struct Ellipse {
        int x, y, rx, ry;
    };
    Ellipse ellipses[kMaxGridCells];
    int count = 0;
};

// Shrink ticks to wait before a platform that vanishes now comes back, minus one.
int vanishWait(int level);
// One shrink tick over the whole grid; returns what this frame draws.
PlatformDrawing cyclePlatforms(Game& game);
// The present platforms as they stand, for frames that are not shrink ticks.
PlatformDrawing presentPlatforms(const Game& game);
// Orange discs with a black rim, in order: a later one paints over an earlier one. Sizes the
// cache holds are blitted from it; a null cache draws them all with SDL_gfx.
void drawPlatforms(SDL_Surface* screen, const PlatformDrawing& drawing, const PlatformCache* cache);
