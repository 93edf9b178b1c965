// Test fixture with a real SDL screen (dummy driver), and pixel helpers.
#pragma once

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <string>

#include "support/TestWait.h"

class SdlTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    SDL_Surface* screen = nullptr;
};

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};
std::ostream& operator<<(std::ostream& out, const Rgb& c);

// The colour at (x, y) of a 16-bit surface, widened to 8 bits per channel.
Rgb pixelAt(SDL_Surface* surface, int x, int y);
// Fills the whole surface with one colour.
void fill(SDL_Surface* surface, int r, int g, int b);
// The colour (r, g, b) as it reads back from a 16-bit surface.
Rgb asStored(SDL_Surface* surface, int r, int g, int b);
// Path of a generated picture, e.g. imagePath("char.png").
std::string imagePath(const std::string& file);
