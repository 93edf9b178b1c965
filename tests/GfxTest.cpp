// Tests of the drawing pieces: picture loading, blits, text, numbers and the HUD.
#include <SDL/SDL_gfxPrimitives.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "game/Game.h"
#include "gfx/ImageLoader.h"
#include "gfx/NumberFormatter.h"
#include "gfx/Painter.h"
#include "support/SdlTest.h"

namespace {

const Rgb kBlack{0, 0, 0};
const Rgb kWhite{255, 255, 255};
const Rgb kRed{255, 0, 0};

// The raw pixels of a surface, for whole-picture comparisons.
std::vector<Uint8> snapshot(SDL_Surface* surface) {
    const Uint8* pixels = static_cast<const Uint8*>(surface->pixels);
    return std::vector<Uint8>(pixels, pixels + surface->pitch * surface->h);
}

// Pixels of the rectangle [x0, x1) x [y0, y1) that differ from colour.
int countOther(SDL_Surface* surface, Rgb colour, int x0 = 0, int y0 = 0, int x1 = 320,
               int y1 = 240) {
    int count = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            count += pixelAt(surface, x, y) != colour;
        }
    }
    return count;
}

class GfxTest : public SdlTest {
  protected:
    void TearDown() override {
        for (SDL_Surface* s : surfaces) {
            SDL_FreeSurface(s);
        }
        SdlTest::TearDown();
    }
    // Frees the surface when the test ends.
    SDL_Surface* keep(SDL_Surface* s) {
        if (s != nullptr) {
            surfaces.push_back(s);
        }
        return s;
    }
    // A surface in the screen's pixel format, filled with one colour.
    SDL_Surface* makeSurface(Rgb colour, int w = 320, int h = 240) {
        const SDL_PixelFormat* f = screen->format;
        SDL_Surface* s = keep(SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, f->BitsPerPixel, f->Rmask,
                                                   f->Gmask, f->Bmask, 0));
        fill(s, colour.r, colour.g, colour.b);
        return s;
    }
    std::vector<SDL_Surface*> surfaces;
    Painter painter;
};

TEST_F(GfxTest, LoadersKeyWhiteAndNearWhiteOnlyAndGiveNullForBadFiles) {
    std::string dir = (std::filesystem::temp_directory_path() / "gfx-XXXXXX").string();
    ASSERT_NE(nullptr, mkdtemp(dir.data()));
    // A one-row 32-bit picture: white, white once stored in 16 bits, grey, red, black.
    const Rgb colours[] = {kWhite, {250, 254, 250}, {240, 240, 240}, kRed, kBlack};
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 5, 1, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    for (int x = 0; x < 5; ++x) {
        const Rgb& c = colours[x];
        static_cast<Uint32*>(s->pixels)[x] = SDL_MapRGB(s->format, c.r, c.g, c.b);
    }
    ASSERT_EQ(0, SDL_SaveBMP(s, (dir + "/good.bmp").c_str()));
    SDL_FreeSurface(s);

    const Rgb blue = asStored(screen, 0, 0, 255), grey = asStored(screen, 240, 240, 240);
    const ImageLoader loader;
    SDL_Surface* keyed = keep(loader.loadKeyedImage(dir + "/good.bmp"));
    SDL_Surface* plain = keep(loader.loadImage(dir + "/good.bmp"));
    SDL_Surface* again = keep(loader.loadKeyedImage(dir + "/good.bmp"));
    ASSERT_TRUE(keyed && plain && again && keyed != again);
    const std::vector<Rgb> seen[] = {{blue, blue, grey, kRed, kBlack},
                                     {kWhite, kWhite, grey, kRed, kBlack}};
    for (int i = 0; i < 2; ++i) {
        SDL_Surface* picture = i == 0 ? keyed : plain;
        EXPECT_EQ(screen->format->BitsPerPixel, picture->format->BitsPerPixel);
        EXPECT_EQ(screen->format->Rmask, picture->format->Rmask);
        fill(screen, 0, 0, 255);
        ASSERT_EQ(0, SDL_BlitSurface(picture, nullptr, screen, nullptr));
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(seen[i][x], pixelAt(screen, x, 0)) << (i == 0 ? "keyed " : "plain ") << x;
        }
    }
    fill(keyed, 0, 0, 255);  // each load is a surface of its own
    EXPECT_EQ(kRed, pixelAt(again, 3, 0));

    std::ifstream in(dir + "/good.bmp", std::ios::binary);
    std::string bytes(30, '\0');
    ASSERT_TRUE(in.read(bytes.data(), 30));
    std::ofstream(dir + "/cut.bmp", std::ios::binary) << bytes;
    std::ofstream(dir + "/empty.bmp", std::ios::binary);
    for (const char* file : {"missing.bmp", "cut.bmp", "empty.bmp"}) {
        EXPECT_EQ(nullptr, keep(loader.loadKeyedImage(dir + "/" + file))) << file;
        EXPECT_EQ(nullptr, keep(loader.loadImage(dir + "/" + file))) << file;
    }
    std::filesystem::remove_all(dir);
}

TEST_F(GfxTest, BlitCopiesWhatLiesInsideBothSurfaces) {
    SDL_Surface* source = makeSurface(kRed, 10, 10);  // left half red, right half green
    SDL_Rect right{5, 0, 5, 10};
    SDL_FillRect(source, &right, SDL_MapRGB(source->format, 0, 255, 0));
    const Rgb blue = asStored(screen, 0, 0, 255), green = asStored(screen, 0, 255, 0);
    // Source x, y; destination x, y; w, h; the drawn rectangle x0, y0, x1, y1; 1 if its
    // top-left pixel is red, 0 if green.
    const int cases[][11] = {{0, 0, 100, 50, 10, 10, 100, 50, 110, 60, 1},
                             {5, 2, 0, 0, 5, 8, 0, 0, 5, 8, 0},
                             {0, 0, -5, -5, 10, 10, 0, 0, 5, 5, 0},
                             {0, 0, 315, 235, 10, 10, 315, 235, 320, 240, 1},
                             {0, 0, 100, 100, 50, 50, 100, 100, 110, 110, 1}};
    for (const int* c : cases) {
        fill(screen, 0, 0, 255);
        EXPECT_EQ(0, painter.blit(source, screen, c[0], c[1], c[2], c[3], c[4], c[5]));
        const int area = (c[8] - c[6]) * (c[9] - c[7]);
        EXPECT_EQ(area, countOther(screen, blue)) << "to " << c[2] << ", " << c[3];
        EXPECT_EQ(area, countOther(screen, blue, c[6], c[7], c[8], c[9])) << "to " << c[2];
        EXPECT_EQ(c[10] ? kRed : green, pixelAt(screen, c[6], c[7])) << "to " << c[2];
    }
    fill(screen, 0, 0, 255);
    for (const auto& [x, y] : {std::pair{320, 0}, {-10, 0}, {0, 240}, {0, -10}, {400, 300}}) {
        EXPECT_EQ(0, painter.blit(source, screen, 0, 0, x, y, 10, 10)) << x << ", " << y;
    }
    EXPECT_EQ(-1, painter.blit(nullptr, screen, 0, 0, 0, 0, 10, 10));
    EXPECT_EQ(0, countOther(screen, blue));
}

TEST_F(GfxTest, WriteDrawsNothingForEmptyTextClipsAtTheEdgeAndDrawsHighCodes) {
    fill(screen, 255, 255, 255);
    EXPECT_EQ(screen, painter.write(screen, "", 10, 10));
    EXPECT_EQ(0, countOther(screen, kWhite));

    painter.write(screen, std::string(40, 'M').c_str(), 300, 100);
    painter.write(screen, "\x80", 50, 50);
    SDL_Surface* expected = makeSurface(kWhite);
    for (int x : {300, 308, 316}) {
        characterRGBA(expected, x, 100, 'M', 0, 0, 0, 255);
    }
    characterRGBA(expected, 50, 50, static_cast<char>(0x80), 0, 0, 0, 255);
    EXPECT_GT(countOther(screen, kWhite, 316, 100, 320, 108), 0);
    EXPECT_GT(countOther(screen, kWhite, 50, 50, 58, 58), 0);
    EXPECT_EQ(snapshot(expected), snapshot(screen));
}

TEST(GfxNumberTest, FormatsTheValueAndWritesNothingPastItsEnd) {
    const std::pair<int32_t, const char*> cases[] = {
        {0, "0"},       {7, "7"},   {99999, "99999"},           {1234567890, "1234567890"},
        {-250, "-250"}, {-1, "-1"}, {INT32_MIN, "-2147483648"}, {INT32_MAX, "2147483647"}};
    for (const auto& [value, text] : cases) {
        char buffer[40];
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(buffer, NumberFormatter{}.itoa(value, buffer, 10));
        EXPECT_STREQ(text, buffer);
        const std::size_t end = std::strlen(text) + 1;
        EXPECT_EQ(std::string(sizeof buffer - end, 'x'),
                  std::string(buffer + end, sizeof buffer - end))
            << text;
    }
}

TEST_F(GfxTest, HudWritesLabelsAndValuesTheSameEachTimeKeepingWhatLiesUnderIt) {
    Game game;
    game.level = 1;
    game.lives = 0;
    game.score = -250;
    SDL_Surface* expected = makeSurface(Rgb{0, 255, 0});
    painter.write(expected, "Level :", 20, 10);
    painter.write(expected, "1", 80, 10);
    painter.write(expected, "Lives :", 125, 10);
    painter.write(expected, "0", 195, 10);
    painter.write(expected, "Score :", 20, 20);
    painter.write(expected, "-250", 80, 20);
    fill(screen, 0, 255, 0);
    for (int time = 0; time < 2; ++time) {
        game.drawHud(screen);
        EXPECT_EQ(snapshot(expected), snapshot(screen));
    }
}

}  // namespace
