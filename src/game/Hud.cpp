// What the head-up display shows of the game: its level, lives and score.
#include "gfx/Hud.h"
#include "game/Game.h"

void Game::drawHud(SDL_Surface* screen, const GlyphSheet* glyphs) {
    ::drawHud(painter, screen, level, lives, score, glyphs);
}
