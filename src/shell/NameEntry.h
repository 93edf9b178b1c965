// The name entry screen: three characters chosen with a bracket cursor.
#pragma once

#include <SDL/SDL.h>

#include "gfx/Painter.h"

struct NameChoice {
    int letters[3] = {65, 65, 65};  // character codes, 0 to 128
    int cursor = 0;                 // 0 to 2
};

// Applies one event; returns true for a confirmation (Space or the X button).
bool applyNameInput(NameChoice& choice, const SDL_Event& event);
// The three letters' low 8 bits and a NUL.
void storeName(const NameChoice& choice, char name[4]);
// The letters at x 60, 80 and 100 and the brackets around the chosen one, at y 130.
void drawNameChoice(const Painter& painter, SDL_Surface* screen, const NameChoice& choice,
                    const GlyphSheet* glyphs = nullptr);
