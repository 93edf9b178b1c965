// The head-up display: level, lives and score, drawn over the background before the board.
#pragma once

#include <SDL/SDL.h>

#include <cstdint>

struct GlyphSheet;
struct Painter;

// Writes level, lives and score at the top left of screen with painter; letters from `glyphs`
// as Painter::write takes them.
void drawHud(const Painter& painter, SDL_Surface* screen, int32_t level, int32_t lives,
             int32_t score, const GlyphSheet* glyphs);
