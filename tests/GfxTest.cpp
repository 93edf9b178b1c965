// Tests of the drawing pieces: picture loading, and text and numbers in the HUD.
#include <SDL/SDL_gfxPrimitives.h>

#include <cstring>

#include "game/Game.h"
#include "gfx/ImageLoader.h"
#include "shell/Menu.h"
#include "support/SdlTest.h"

namespace {

using GfxTest = PicturesTest;

// The player's picture has a white surround: it shows what lies behind only when keyed.
TEST_F(GfxTest, LoadersKeyWhiteOrNothing) {
    SDL_Surface* plain = ImageLoader().loadImage("Images/char.png");
    for (SDL_Surface* picture : {pictures.player, plain}) {  // the game loads it keyed
        ASSERT_TRUE(picture && picture->format->Rmask == screen->format->Rmask);
        fill(screen, 0, 0, 255);
        SDL_BlitSurface(picture, nullptr, screen, nullptr);
        const int white = picture == plain ? 255 : 0;
        EXPECT_EQ(asStored(screen, white, white, 255), pixelAt(screen, 0, 0)) << white;
    }
    SDL_FreeSurface(plain);
}

// The HUD's labels and values, numbers whole with a sign when negative; the listing's ten
// names at x 180 and scores at x 230, in rows 14 pixels apart: each text where SDL_gfx's own
// call writes it, over what lay there before.
TEST_F(GfxTest, HudAndListingWriteEachTextInItsPlace) {
    Game game;
    game.level = 1234567890;
    game.lives = 0;
    game.score = -1;
    std::vector<std::tuple<std::string, int, int>> texts = {
        {"Level :", 20, 10}, {"1234567890", 80, 10}, {"Lives :", 125, 10},
        {"0", 195, 10},      {"Score :", 20, 20},    {"-1", 80, 20}};
    std::string table;
    for (int row = 0; row < kListedScores; ++row) {
        const std::string name(1, static_cast<char>('A' + row)),
            score = std::to_string(100 - 10 * row);
        table += score + "\n" + name + "\n";
        texts.insert(texts.end(), {{name, 180, 65 + 14 * row}, {score, 230, 65 + 14 * row}});
    }
    SDL_Surface* expected = solidPicture(320, 240, 0, 255, 0);
    for (const auto& [text, x, y] : texts) {
        stringRGBA(expected, x, y, text.c_str(), 0, 0, 0, 255);
    }
    fill(screen, 0, 255, 0);
    game.drawHud(screen);
    drawListing(parseScores(table), screen);
    EXPECT_TRUE(pixels(expected) == pixels(screen)) << "the HUD or the listing";
    SDL_FreeSurface(expected);
}

// Every character 1 to 255 (0 ends a string), as the HUD, listing and name entry write them
// (Painter::write, at any place), and strings cut by each edge and by the 16-bit pen, on the
// game's pictures and one smaller than the screen: from the glyph sheet, the pixels SDL_gfx
// draws where no sheet could be made.
TEST_F(GfxTest, GlyphSheetWritesThePixelsSdlGfxDraws) {
    Pictures none;  // no glyph sheet could be made
    SDL_Surface* canvases[] = {SDL_ConvertSurface(pictures.background, screen->format, 0),
                               ImageLoader().loadKeyedImage("Images/menu.png"),
                               ImageLoader().loadImage("Images/menu2.jpg"),
                               solidPicture(37, 21, 0, 255, 0)};
    for (SDL_Surface* s : canvases) {
        std::string blank = pixels(s), shots[2];
        for (const GlyphSheet* glyphs : {&pictures.glyphs, &none.glyphs}) {
            std::memcpy(s->pixels, blank.data(), blank.size());
            for (int c = 1; c < 256; ++c) {
                const char one[] = {static_cast<char>(c), '\0'};
                Painter().write(s, one, 8 * (c % 32), 2 + 9 * (c / 32), glyphs);
            }
            for (const auto& [x, y] :
                 {std::pair{-5, -3}, {s->w - 13, s->h - 4}, {s->w - 3, 5}, {65536 + 7, 12}}) {
                Painter().write(s, "Wg\x80\xff", x, y, glyphs);
            }
            shots[glyphs == &none.glyphs] = pixels(s);
        }
        EXPECT_TRUE(shots[0] == shots[1]) << s->w << " x " << s->h;
        SDL_FreeSurface(s);
    }
}

}  // namespace
