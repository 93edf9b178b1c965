// Tests of the drawing pieces: picture loading, and text and numbers in the HUD.
#include <SDL/SDL_gfxPrimitives.h>
#include <gtest/gtest.h>

#include "game/Game.h"
#include "gfx/ImageLoader.h"
#include "support/SdlTest.h"
#include "support/WorkFolder.h"

namespace {

using GfxTest = SdlTest;

// The player's picture has a white surround: it shows what lies behind only when keyed.
TEST_F(GfxTest, LoadersKeyWhiteOrNothing) {
    WorkFolder folder;
    SDL_Surface* pictures[] = {ImageLoader().loadKeyedImage("Images/char.png"),
                               ImageLoader().loadImage("Images/char.png")};
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(pictures[i] && pictures[i]->format->Rmask == screen->format->Rmask);
        fill(screen, 0, 0, 255);
        SDL_BlitSurface(pictures[i], nullptr, screen, nullptr);
        EXPECT_EQ(asStored(screen, 255 * i, 255 * i, 255), pixelAt(screen, 0, 0)) << i;
        SDL_FreeSurface(pictures[i]);
    }
}

TEST_F(GfxTest, HudWritesLabelsAndValuesKeepingWhatLiesUnderIt) {
    Game game;  // numbers are written whole, with a sign when negative
    game.level = 1234567890;
    game.lives = 0;
    game.score = -1;
    SDL_Surface* expected = solidPicture(320, 240, 0, 255, 0);
    const std::tuple<const char*, int, int> texts[] = {{"Level :", 20, 10},  {"1234567890", 80, 10},
                                                       {"Lives :", 125, 10}, {"0", 195, 10},
                                                       {"Score :", 20, 20},  {"-1", 80, 20}};
    for (const auto& [text, x, y] : texts) {
        stringRGBA(expected, x, y, text, 0, 0, 0, 255);
    }
    fill(screen, 0, 255, 0);
    game.drawHud(screen);
    EXPECT_TRUE(pixels(expected) == pixels(screen));
    SDL_FreeSurface(expected);
}

}  // namespace
