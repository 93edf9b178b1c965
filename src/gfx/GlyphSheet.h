// The 8x8 font's 256 letters drawn once in black, then blitted: the same pixels, for less work.
#pragma once

#include <SDL/SDL.h>

// One 128x128 sheet in the screen's format: character c in the 8x8 cell whose top-left is
// (8 * (c % 16), 8 * (c / 16)), its set pixels black and the rest the key, magenta (0xF81F at
// 16 bpp, which black cannot take). Each cell also has a keyed, run-length encoded 8x8 view
// of its own sharing the sheet's pixels: a blit of a whole small view skips the work a blit
// of a piece of one encoded sheet would spend walking the runs that precede the piece.
struct GlyphSheet {
    static constexpr int kColumns = 16;
    static constexpr int kCell = 8;
    static constexpr int kSide = kColumns * kCell;
    SDL_Surface* sheet = nullptr;  // null when no sheet could be made
    SDL_Surface* glyphs[256] = {};
};

// Draws every character with SDL_gfx onto a sheet in the format of `screen`; the sheet is
// empty before. It stays empty when a surface cannot be made.
void fillGlyphSheet(GlyphSheet& glyphs, const SDL_Surface* screen);
// Makes the views of a sheet already drawn; frees everything and leaves the sheet empty when
// one cannot be made.
void takeGlyphSheet(GlyphSheet& glyphs, SDL_Surface* sheet);
void freeGlyphSheet(GlyphSheet& glyphs);
// Writes text in black as SDL_gfx's stringRGBA does: the first cell's top-left at (x, y) cut
// to 16 bits, each next one 8 pixels further right, clipped by SDL; one blit a character.
void writeGlyphs(const GlyphSheet& glyphs, SDL_Surface* destination, const char* text, int x,
                 int y);
