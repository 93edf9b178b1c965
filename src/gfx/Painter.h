// Painter: blits pictures and writes text in the built-in 8x8 font.
#pragma once

#include <SDL/SDL.h>

struct GlyphSheet;

struct Painter {
    // Copies a w x h rectangle at (sx, sy) of source to (dx, dy) of destination; SDL clips.
    // Returns SDL's result; a null source draws nothing and returns -1.
    int blit(SDL_Surface* source, SDL_Surface* destination, int sx, int sy, int dx, int dy, int w,
             int h) const;
    // Writes text in opaque black, its first 8x8 cell's top-left at (x, y); returns destination.
    // Letters are blitted from `glyphs` where it holds a sheet, else drawn with SDL_gfx; both
    // give the same pixels.
    SDL_Surface* write(SDL_Surface* destination, const char* text, int x, int y,
                       const GlyphSheet* glyphs = nullptr) const;
};

// Blits a whole picture with its top-left corner at (x, y); a null picture draws nothing.
void drawPicture(const Painter& painter, SDL_Surface* picture, SDL_Surface* destination, int x,
                 int y);
