// The menu: the score listing drawn into its picture, and the wait for start or leave.
#pragma once

#include <SDL/SDL.h>

#include "shell/ScoreTable.h"

struct GlyphSheet;

// Draws names at x 180 and scores at x 230, rows 14 pixels apart from y 65, into picture;
// letters from `glyphs` as Painter::write takes them.
void drawListing(const ScoreTable& table, SDL_Surface* picture, const GlyphSheet* glyphs = nullptr);
