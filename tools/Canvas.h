// Canvas: an RGB picture in memory with the drawing primitives, the 8x8 text and the file writers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Colour {
    std::uint8_t r, g, b;
    bool operator==(const Colour& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Colour& o) const { return !(*this == o); }
};

// The game's transparent colour.
constexpr Colour kKey{255, 255, 255};

// True for every colour the 16-bit display cannot tell from white, so it would turn transparent.
bool looksLikeKey(Colour c);
// A blend between two colours; t runs from 0 (a) to 1 (b).
Colour mix(Colour a, Colour b, double t);

class Canvas {
  public:
    Canvas(int width, int height, Colour background);

    int width() const { return width_; }
    int height() const { return height_; }

    // Pixels outside the canvas are ignored when drawing and read as the key.
    void set(int x, int y, Colour c);
    Colour at(int x, int y) const;

    void fillRect(int x, int y, int w, int h, Colour c);
    // A one-pixel outline just inside the rectangle.
    void frameRect(int x, int y, int w, int h, Colour c);
    void verticalGradient(int x, int y, int w, int h, Colour top, Colour bottom);
    void fillEllipse(int cx, int cy, int rx, int ry, Colour c);
    // The pixels of the filled ellipse that touch its outside.
    void ellipseRim(int cx, int cy, int rx, int ry, Colour c);

    // Copies another canvas with its top-left at (x, y), leaving out its key-coloured pixels.
    void drawSprite(const Canvas& sprite, int x, int y);

    // Text in the 8x8 font, each font pixel a scale x scale block; the first cell's top-left
    // at (x, y).
    void text(int x, int y, const std::string& s, Colour c, int scale = 1);
    // The same text with a one-step shadow below right, so it reads on busy backgrounds.
    void shadowText(int x, int y, const std::string& s, Colour c, Colour shadow, int scale = 1);
    // Text centred horizontally on the whole canvas.
    void centredText(int y, const std::string& s, Colour c, Colour shadow, int scale = 1);
    static int textWidth(const std::string& s, int scale = 1) {
        return static_cast<int>(s.size()) * 8 * scale;
    }

    // Writers return false when the file cannot be written.
    bool writePng(const std::string& path) const;
    // For pictures shown outside the game, such as icons: the key colour becomes see-through.
    bool writePngWithAlpha(const std::string& path) const;
    bool writeJpeg(const std::string& path, int quality) const;

  private:
    int width_;
    int height_;
    std::vector<std::uint8_t> rgb_;  // three bytes a pixel, rows top to bottom
};
