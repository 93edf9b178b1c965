// The 8x8 font's 256 letters drawn once in black, then blitted: the same pixels, for less work.
#include "gfx/GlyphSheet.h"

#include <SDL/SDL_gfxPrimitives.h>

#include "gfx/KeyedSurface.h"
#include "platform/ScreenFormat.h"

void fillGlyphSheet(GlyphSheet& glyphs, const SDL_Surface* screen) {
    SDL_Surface* sheet = keyedCanvas(screen->format, GlyphSheet::kSide, GlyphSheet::kSide);
    if (sheet == nullptr) {
        return;
    }
    // characterRGBA, as stringRGBA calls it for each letter; it also draws character 0.
    for (int c = 0; c < 256; ++c) {
        characterRGBA(sheet, static_cast<Sint16>(c % GlyphSheet::kColumns * GlyphSheet::kCell),
                      static_cast<Sint16>(c / GlyphSheet::kColumns * GlyphSheet::kCell),
                      static_cast<char>(c), 0, 0, 0, 255);
    }
    takeGlyphSheet(glyphs, sheet);
}

void takeGlyphSheet(GlyphSheet& glyphs, SDL_Surface* sheet) {
    glyphs.sheet = sheet;
    for (int c = 0; c < 256; ++c) {
        glyphs.glyphs[c] = pieceOf(sheet, c % GlyphSheet::kColumns * GlyphSheet::kCell,
                                   c / GlyphSheet::kColumns * GlyphSheet::kCell, GlyphSheet::kCell,
                                   GlyphSheet::kCell);
        if (glyphs.glyphs[c] == nullptr) {
            freeGlyphSheet(glyphs);
            return;
        }
        setKey(glyphs.glyphs[c]);
    }
}

void freeGlyphSheet(GlyphSheet& glyphs) {
    // The views first: they borrow the sheet's pixels.
    for (SDL_Surface*& glyph : glyphs.glyphs) {
        SDL_FreeSurface(glyph);
        glyph = nullptr;
    }
    SDL_FreeSurface(glyphs.sheet);
    glyphs.sheet = nullptr;
}

void writeGlyphs(const GlyphSheet& glyphs, SDL_Surface* destination, const char* text, int x,
                 int y) {
    // A 16-bit pen, which wraps as SDL_gfx's does.
    Sint16 pen = static_cast<Sint16>(x);
    for (const char* c = text; *c != '\0'; ++c) {
        SDL_Rect to{pen, static_cast<Sint16>(y), GlyphSheet::kCell, GlyphSheet::kCell};
        SDL_UpperBlit(glyphs.glyphs[static_cast<unsigned char>(*c)], nullptr, destination, &to);
        pen = static_cast<Sint16>(pen + GlyphSheet::kCell);
    }
}
