// The drawn-once letters and platforms read from PNG files, for a build without SDL_gfx.
#pragma once

#include <SDL/SDL.h>

#include "gfx/GlyphSheet.h"
#include "gfx/PlatformCache.h"

// The picture generator writes both files into Images/ from the same drawing the game makes
// at start-up in the 16-bit screen format: every colour expanded exactly to 8 bits (its high
// bits the 16-bit value, its low bits repeating them), the key fully transparent (alpha 0,
// magenta), everything else opaque.
//
// "Images/glyphs.png", 128 x 128: character c (0 to 255) of the 8x8 font, black, in the cell
// whose top-left is (8 * (c % 16), 8 * (c / 16)).
//
// "Images/platforms.png", 1653 x 171: a grid of 57 x 57 cells, one row per shape (row 0:
// rx - ry = 4, row 1: rx - ry = 2, row 2: rx - ry = 1), one column per rx (0 to 28). The
// platform of radii (rx, ry) fills the top-left 2 rx + 1 by 2 ry + 1 pixels of the cell in
// column rx of its shape's row, so its centre is at (57 rx + rx, 57 row + ry). Cells of
// sizes the cache does not hold (rx under ry + 3 of its shape, or past the shape's largest)
// are transparent.
// kGlyphSheetFile and kPlatformsFile, "Images/glyphs.png" and "Images/platforms.png".
#define DRAWN_ONCE(name, file) constexpr const char* name = "Images/" file;
#include "gfx/PictureList.h"
constexpr int kPlatformCell = 2 * PlatformCache::kLargestRx + 1;

// Fill an empty sheet or cache in the format of `screen` from such a file. False when the
// file cannot be read or is smaller than the layout, or a surface cannot be made; the sheet
// or cache is then left empty, and text and platforms are drawn with SDL_gfx.
bool loadGlyphSheet(GlyphSheet& glyphs, const char* path, const SDL_Surface* screen);
bool loadPlatformCache(PlatformCache& cache, const char* path, const SDL_Surface* screen);
