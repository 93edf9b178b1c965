// The play pass: one frame of the game as the main loop plays it, and as the benchmarks time
// it.
#include "shell/PlayPass.h"

namespace {
constexpr int kLastFrame = 10000;
}  // namespace

void playPass(Game& game, SDL_Surface* screen, const Pictures& p, int frameCounter,
              const Sounds* sounds) {
    game.drawHud(screen, &p.glyphs);
    game.updateFrame(screen, frameCounter, p.player, p.portal, p.bonus[0], p.bonus[1], p.bonus[2],
                     p.bonus[3], p.enemy[0], p.enemy[1], p.enemy[2], &p.platforms, sounds);
    game.stepEnemies(frameCounter);
}

int nextFrameCounter(int frameCounter) {
    return frameCounter + 1 > kLastFrame ? 0 : frameCounter + 1;
}
