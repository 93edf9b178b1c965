// The head-up display: level, lives and score, drawn over the background before the board.
#include "gfx/Hud.h"

#include "gfx/NumberFormatter.h"
#include "gfx/Painter.h"

void drawHud(const Painter& painter, SDL_Surface* screen, int32_t level, int32_t lives,
             int32_t score, const GlyphSheet* glyphs) {
    struct Line {
        const char* label;
        int labelX, labelY;
        int32_t value;
        int valueX, valueY;
    };
    const Line lines[] = {
        {"Level : ", 20, 10, level, 80, 10},
        {"Lives : ", 125, 10, lives, 195, 10},
        {"Score : ", 20, 20, score, 80, 20},
    };
    NumberFormatter formatter;
    char text[kNumberTextSize];
    SDL_Surface* surface = screen;
    for (const Line& line : lines) {
        formatter.itoa(line.value, text, 10);
        surface = painter.write(surface, line.label, line.labelX, line.labelY, glyphs);
        surface = painter.write(surface, text, line.valueX, line.valueY, glyphs);
    }
}
