// Tests of the drawing pieces: picture loading, blits, text, numbers and the HUD.
#include <SDL/SDL_gfxPrimitives.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "game/Game.h"
#include "gfx/ImageLoader.h"
#include "gfx/NumberFormatter.h"
#include "gfx/Painter.h"
#include "support/SdlTest.h"

namespace {

const Rgb kBlack{0, 0, 0};
const Rgb kWhite{255, 255, 255};

// The raw pixels of a surface, for "nothing changed" comparisons.
std::vector<Uint8> snapshot(SDL_Surface* surface) {
    SDL_LockSurface(surface);
    const Uint8* pixels = static_cast<const Uint8*>(surface->pixels);
    std::vector<Uint8> copy(pixels, pixels + surface->pitch * surface->h);
    SDL_UnlockSurface(surface);
    return copy;
}

// Pixels of the rectangle [x0, x1) x [y0, y1) that differ from colour.
int countOther(SDL_Surface* surface, Rgb colour, int x0 = 0, int y0 = 0, int x1 = -1, int y1 = -1) {
    x1 = x1 < 0 ? surface->w : x1;
    y1 = y1 < 0 ? surface->h : y1;
    int count = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            count += pixelAt(surface, x, y) == colour ? 0 : 1;
        }
    }
    return count;
}

// Checks every pixel of two same-sized surfaces inside [x0, x1) x [y0, y1).
::testing::AssertionResult samePixels(SDL_Surface* a, SDL_Surface* b, int x0, int y0, int x1,
                                      int y1) {
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (!(pixelAt(a, x, y) == pixelAt(b, x, y))) {
                return ::testing::AssertionFailure()
                       << "at " << x << ", " << y << ": " << pixelAt(a, x, y) << " vs "
                       << pixelAt(b, x, y);
            }
        }
    }
    return ::testing::AssertionSuccess();
}

class GfxTest : public SdlTest {
  protected:
    void SetUp() override {
        SdlTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        std::string pattern = (std::filesystem::temp_directory_path() / "gfx-XXXXXX").string();
        ASSERT_NE(nullptr, mkdtemp(pattern.data()));
        dir = pattern;
    }
    void TearDown() override {
        for (SDL_Surface* s : surfaces) {
            SDL_FreeSurface(s);
        }
        if (!dir.empty()) {
            std::filesystem::remove_all(dir);
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
    SDL_Surface* makeSurface(int w, int h, Rgb colour) {
        const SDL_PixelFormat* f = screen->format;
        SDL_Surface* s = keep(SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, f->BitsPerPixel, f->Rmask,
                                                   f->Gmask, f->Bmask, 0));
        fill(s, colour.r, colour.g, colour.b);
        return s;
    }

    // Saves a one-row 32-bit BMP with the given colours and returns its path.
    std::string savePicture(const char* file, std::initializer_list<Rgb> colours) {
        SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, static_cast<int>(colours.size()), 1,
                                              32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0);
        Uint32* row = static_cast<Uint32*>(s->pixels);
        for (const Rgb& c : colours) {
            *row++ = SDL_MapRGB(s->format, c.r, c.g, c.b);
        }
        const std::string path = dir + "/" + file;
        EXPECT_EQ(0, SDL_SaveBMP(s, path.c_str()));
        SDL_FreeSurface(s);
        return path;
    }

    std::string dir;
    std::vector<SDL_Surface*> surfaces;
    ImageLoader loader;
    Painter painter;
};

// --- Loading pictures.

const Rgb kNearWhite{250, 254, 250};  // white once stored in 16 bits
const Rgb kLightGrey{240, 240, 240};  // not white in 16 bits
const Rgb kRed{255, 0, 0};
const Rgb kBlue{0, 0, 255};
const Rgb kGreen{0, 255, 0};

TEST_F(GfxTest, KeyedPictureIsClearWhereWhite) {
    SDL_Surface* picture = keep(loader.loadKeyedImage(
        savePicture("keyed.bmp", {kWhite, kNearWhite, kLightGrey, kRed, kBlack})));
    ASSERT_NE(nullptr, picture);
    EXPECT_EQ(screen->format->BitsPerPixel, picture->format->BitsPerPixel);
    EXPECT_EQ(screen->format->Rmask, picture->format->Rmask);
    fill(screen, 0, 0, 255);
    ASSERT_EQ(0, SDL_BlitSurface(picture, nullptr, screen, nullptr));
    EXPECT_EQ(asStored(screen, 0, 0, 255), pixelAt(screen, 0, 0));
    EXPECT_EQ(asStored(screen, 0, 0, 255), pixelAt(screen, 1, 0));
    EXPECT_EQ(asStored(screen, 240, 240, 240), pixelAt(screen, 2, 0));
    EXPECT_EQ(asStored(screen, 255, 0, 0), pixelAt(screen, 3, 0));
    EXPECT_EQ(kBlack, pixelAt(screen, 4, 0));
}

TEST_F(GfxTest, PlainPictureDrawsWhite) {
    SDL_Surface* picture =
        keep(loader.loadImage(savePicture("plain.bmp", {kWhite, kNearWhite, kRed})));
    ASSERT_NE(nullptr, picture);
    EXPECT_EQ(screen->format->BitsPerPixel, picture->format->BitsPerPixel);
    fill(screen, 0, 0, 255);
    ASSERT_EQ(0, SDL_BlitSurface(picture, nullptr, screen, nullptr));
    EXPECT_EQ(kWhite, pixelAt(screen, 0, 0));
    EXPECT_EQ(kWhite, pixelAt(screen, 1, 0));
    EXPECT_EQ(asStored(screen, 255, 0, 0), pixelAt(screen, 2, 0));
}

TEST_F(GfxTest, MissingOrBrokenFileGivesNull) {
    const std::string good = savePicture("good.bmp", {kRed, kGreen, kBlue, kWhite});
    std::ifstream in(good, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 30u);
    std::ofstream(dir + "/cut.bmp", std::ios::binary) << bytes.substr(0, 30);
    std::ofstream(dir + "/text.bmp", std::ios::binary) << "this is not a picture\n";
    std::ofstream(dir + "/empty.bmp", std::ios::binary);

    for (const char* file : {"missing.bmp", "cut.bmp", "text.bmp", "empty.bmp"}) {
        const std::string path = dir + "/" + file;
        EXPECT_EQ(nullptr, keep(loader.loadKeyedImage(path))) << file;
        EXPECT_EQ(nullptr, keep(loader.loadImage(path))) << file;
    }
}

TEST_F(GfxTest, EachLoadIsItsOwnSurface) {
    const std::string path = savePicture("twice.bmp", {kRed, kGreen});
    SDL_Surface* first = keep(loader.loadKeyedImage(path));
    SDL_Surface* second = keep(loader.loadKeyedImage(path));
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    ASSERT_NE(first, second);
    fill(first, 0, 0, 255);
    EXPECT_EQ(asStored(second, 255, 0, 0), pixelAt(second, 0, 0));
    EXPECT_EQ(asStored(second, 0, 255, 0), pixelAt(second, 1, 0));
}

// --- Blits. The source is 10 x 10: its left half red, its right half green.

class GfxBlitTest : public GfxTest {
  protected:
    void SetUp() override {
        GfxTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        source = makeSurface(10, 10, kRed);
        SDL_Rect right{5, 0, 5, 10};
        SDL_FillRect(source, &right, SDL_MapRGB(source->format, 0, 255, 0));
        fill(screen, 0, 0, 255);
        blue = asStored(screen, 0, 0, 255);
        red = asStored(screen, 255, 0, 0);
        green = asStored(screen, 0, 255, 0);
    }

    SDL_Surface* source = nullptr;
    Rgb blue{}, red{}, green{};
};

TEST_F(GfxBlitTest, CopiesTheRectangle) {
    EXPECT_EQ(0, painter.blit(source, screen, 0, 0, 100, 50, 10, 10));
    EXPECT_EQ(red, pixelAt(screen, 100, 50));
    EXPECT_EQ(green, pixelAt(screen, 109, 59));
    EXPECT_EQ(100, countOther(screen, blue));
    EXPECT_EQ(0, countOther(screen, blue, 0, 0, 100, 240));
}

TEST_F(GfxBlitTest, StartsAtTheSourceOffset) {
    EXPECT_EQ(0, painter.blit(source, screen, 5, 2, 0, 0, 5, 8));
    EXPECT_EQ(40, countOther(screen, blue));
    EXPECT_EQ(0, countOther(screen, green, 0, 0, 5, 8));
}

TEST_F(GfxBlitTest, PartlyOutsideTopLeftDrawsTheInsidePart) {
    EXPECT_EQ(0, painter.blit(source, screen, 0, 0, -5, -5, 10, 10));
    // What shows is the source's lower right quarter: green.
    EXPECT_EQ(25, countOther(screen, blue));
    EXPECT_EQ(0, countOther(screen, green, 0, 0, 5, 5));
}

TEST_F(GfxBlitTest, PartlyOutsideBottomRightDrawsTheInsidePart) {
    EXPECT_EQ(0, painter.blit(source, screen, 0, 0, 315, 235, 10, 10));
    EXPECT_EQ(25, countOther(screen, blue));
    EXPECT_EQ(0, countOther(screen, red, 315, 235, 320, 240));
}

TEST_F(GfxBlitTest, WhollyOutsideDrawsNothing) {
    const int places[][2] = {{320, 0}, {-10, 0}, {0, 240}, {0, -10}, {400, 300}};
    for (const auto& p : places) {
        EXPECT_EQ(0, painter.blit(source, screen, 0, 0, p[0], p[1], 10, 10))
            << p[0] << ", " << p[1];
    }
    EXPECT_EQ(0, countOther(screen, blue));
}

TEST_F(GfxBlitTest, LargerSizeCopiesOnlyWhatExists) {
    EXPECT_EQ(0, painter.blit(source, screen, 0, 0, 100, 100, 50, 50));
    EXPECT_EQ(100, countOther(screen, blue));
    EXPECT_EQ(0, countOther(screen, blue, 110, 100, 150, 150));
    EXPECT_EQ(0, countOther(screen, blue, 100, 110, 150, 150));
}

TEST_F(GfxBlitTest, NullSourceDrawsNothing) {
    EXPECT_EQ(-1, painter.blit(nullptr, screen, 0, 0, 0, 0, 10, 10));
    EXPECT_EQ(0, countOther(screen, blue));
}

TEST_F(GfxBlitTest, DrawPictureDrawsItWhole) {
    drawPicture(painter, source, screen, 30, 40);
    EXPECT_EQ(100, countOther(screen, blue));
    EXPECT_EQ(0, countOther(screen, red, 30, 40, 35, 50));
    EXPECT_EQ(0, countOther(screen, green, 35, 40, 40, 50));
    drawPicture(painter, nullptr, screen, 0, 0);
    EXPECT_EQ(100, countOther(screen, blue));
}

// --- Text.

TEST_F(GfxTest, EmptyTextDrawsNothing) {
    fill(screen, 255, 255, 255);
    const std::vector<Uint8> before = snapshot(screen);
    EXPECT_EQ(screen, painter.write(screen, "", 10, 10));
    EXPECT_EQ(before, snapshot(screen));
}

TEST_F(GfxTest, LetterIsOpaqueBlackInItsCell) {
    fill(screen, 200, 100, 50);
    const Rgb background = asStored(screen, 200, 100, 50);
    EXPECT_EQ(screen, painter.write(screen, "W", 10, 20));
    const int inCell = countOther(screen, background, 10, 20, 18, 28);
    EXPECT_GT(inCell, 0);
    EXPECT_EQ(inCell, countOther(screen, background));
    for (int y = 20; y < 28; ++y) {
        for (int x = 10; x < 18; ++x) {
            const Rgb c = pixelAt(screen, x, y);
            EXPECT_TRUE(c == background || c == kBlack) << c << " at " << x << ", " << y;
        }
    }
}

TEST_F(GfxTest, LongTextIsClippedAtTheRightEdge) {
    fill(screen, 255, 255, 255);
    painter.write(screen, std::string(40, 'M').c_str(), 300, 100);
    const int drawn = countOther(screen, kWhite);
    EXPECT_EQ(drawn, countOther(screen, kWhite, 300, 100, 320, 108));
    EXPECT_GT(countOther(screen, kWhite, 316, 100, 320, 108), 0);

    SDL_Surface* single = makeSurface(320, 240, kWhite);
    painter.write(single, "M", 300, 100);
    EXPECT_TRUE(samePixels(screen, single, 300, 100, 308, 108));
}

TEST_F(GfxTest, HighCharacterCodeDrawsItsGlyph) {
    fill(screen, 255, 255, 255);
    painter.write(screen, "\x80", 50, 50);
    const int drawn = countOther(screen, kWhite, 50, 50, 58, 58);
    EXPECT_GT(drawn, 0);
    EXPECT_EQ(drawn, countOther(screen, kWhite));

    SDL_Surface* direct = makeSurface(320, 240, kWhite);
    characterRGBA(direct, 50, 50, static_cast<char>(0x80), 0, 0, 0, 255);
    EXPECT_TRUE(samePixels(screen, direct, 0, 0, 320, 240));
}

// --- Numbers.

struct NumberCase {
    int32_t value;
    int base;
    const char* text;
};

void PrintTo(const NumberCase& c, std::ostream* out) {
    *out << c.value << " in base " << c.base;
}

class GfxNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(GfxNumberTest, FormatsTheValue) {
    char buffer[40];
    std::memset(buffer, 'x', sizeof buffer);
    const NumberFormatter formatter{};
    EXPECT_EQ(buffer, formatter.itoa(GetParam().value, buffer, GetParam().base));
    EXPECT_STREQ(GetParam().text, buffer);
    // Nothing is written past the terminating NUL.
    const std::size_t end = std::strlen(GetParam().text) + 1;
    EXPECT_EQ(std::string(sizeof buffer - end, 'x'),
              std::string(buffer + end, sizeof buffer - end));
}

INSTANTIATE_TEST_SUITE_P(Decimal, GfxNumberTest,
                         ::testing::Values(NumberCase{0, 10, "0"}, NumberCase{7, 10, "7"},
                                           NumberCase{10, 10, "10"}, NumberCase{99999, 10, "99999"},
                                           NumberCase{1234567890, 10, "1234567890"},
                                           NumberCase{-250, 10, "-250"}, NumberCase{-1, 10, "-1"},
                                           NumberCase{INT32_MIN, 10, "-2147483648"},
                                           NumberCase{INT32_MAX, 10, "2147483647"}));

INSTANTIATE_TEST_SUITE_P(
    Binary, GfxNumberTest,
    ::testing::Values(NumberCase{0, 2, "0"}, NumberCase{5, 2, "101"}, NumberCase{-6, 2, "-110"},
                      NumberCase{INT32_MAX, 2, "1111111111111111111111111111111"},
                      NumberCase{INT32_MIN, 2, "-10000000000000000000000000000000"}));

TEST(GfxNumberBuffer, MostNegativeFitsTheTextSize) {
    char buffer[kNumberTextSize + 4];
    std::memset(buffer, 'x', sizeof buffer);
    NumberFormatter().itoa(INT32_MIN, buffer, 10);
    EXPECT_EQ('\0', buffer[kNumberTextSize - 1]);
    EXPECT_EQ('x', buffer[kNumberTextSize]);
}

// --- The HUD: level 1, lives 0, score -250.

class GfxHudTest : public GfxTest {
  protected:
    void SetUp() override {
        GfxTest::SetUp();
        game.level = 1;
        game.lives = 0;
        game.score = -250;
    }

    Game game;
};

TEST_F(GfxHudTest, ValuesGoInTheirCells) {
    fill(screen, 255, 255, 255);
    game.drawHud(screen);
    EXPECT_GT(countOther(screen, kWhite, 80, 10, 88, 18), 0);
    EXPECT_GT(countOther(screen, kWhite, 195, 10, 203, 18), 0);
    EXPECT_GT(countOther(screen, kWhite, 80, 20, 88, 28), 0);
    // Two text lines, eight pixels high from y 10 and y 20.
    EXPECT_EQ(0, countOther(screen, kWhite, 0, 0, 320, 10));
    EXPECT_EQ(0, countOther(screen, kWhite, 0, 28, 320, 240));
}

TEST_F(GfxHudTest, ValuesReadAsTheirText) {
    fill(screen, 255, 255, 255);
    game.drawHud(screen);
    SDL_Surface* expected = makeSurface(320, 240, kWhite);
    painter.write(expected, "1", 80, 10);
    painter.write(expected, "0", 195, 10);
    painter.write(expected, "-250", 80, 20);
    // From each value to the right edge, or to the next label on the top line.
    EXPECT_TRUE(samePixels(screen, expected, 80, 10, 125, 18));
    EXPECT_TRUE(samePixels(screen, expected, 195, 10, 320, 18));
    EXPECT_TRUE(samePixels(screen, expected, 80, 20, 320, 28));
}

TEST_F(GfxHudTest, LabelsSitLeftOfTheirValues) {
    fill(screen, 255, 255, 255);
    game.drawHud(screen);
    SDL_Surface* expected = makeSurface(320, 240, kWhite);
    painter.write(expected, "Level :", 20, 10);
    painter.write(expected, "Lives :", 125, 10);
    painter.write(expected, "Score :", 20, 20);
    EXPECT_TRUE(samePixels(screen, expected, 0, 10, 80, 28));
    EXPECT_TRUE(samePixels(screen, expected, 125, 10, 195, 18));
}

TEST_F(GfxHudTest, RedrawPaintsTheSamePixels) {
    fill(screen, 255, 255, 255);
    game.drawHud(screen);
    const std::vector<Uint8> once = snapshot(screen);
    game.drawHud(screen);
    EXPECT_EQ(once, snapshot(screen));
}

TEST_F(GfxHudTest, KeepsTheBackgroundBetweenGlyphs) {
    fill(screen, 0, 255, 0);
    const Rgb background = asStored(screen, 0, 255, 0);
    game.drawHud(screen);
    EXPECT_GT(countOther(screen, background), 0);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 320; ++x) {
            const Rgb c = pixelAt(screen, x, y);
            ASSERT_TRUE(c == background || c == kBlack) << c << " at " << x << ", " << y;
        }
    }
    EXPECT_EQ(0, countOther(screen, background, 0, 40, 320, 240));
}

}  // namespace
