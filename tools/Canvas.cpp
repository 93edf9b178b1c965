// Canvas drawing: pixels, shapes, the 8x8 font text and the PNG / JPEG writers.
#include "Canvas.h"

#include <SDL/SDL_gfxPrimitives_font.h>
#include <stb_image_write.h>

#include <cmath>

bool looksLikeKey(Colour c) {
    // RGB565 keeps the top 5 bits of red and blue and the top 6 of green.
    return c.r >= 248 && c.b >= 248 && c.g >= 252;
}

Colour mix(Colour a, Colour b, double t) {
    auto channel = [t](int from, int to) {
        return static_cast<std::uint8_t>(std::lround(from + (to - from) * t));
    };
    return Colour{channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

Canvas::Canvas(int width, int height, Colour background)
    : width_(width), height_(height), rgb_(static_cast<std::size_t>(width) * height * 3) {
    fillRect(0, 0, width, height, background);
}

void Canvas::set(int x, int y, Colour c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return;
    }
    std::uint8_t* p = &rgb_[(static_cast<std::size_t>(y) * width_ + x) * 3];
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
}

Colour Canvas::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return kKey;
    }
    const std::uint8_t* p = &rgb_[(static_cast<std::size_t>(y) * width_ + x) * 3];
    return Colour{p[0], p[1], p[2]};
}

void Canvas::fillRect(int x, int y, int w, int h, Colour c) {
    for (int j = y; j < y + h; ++j) {
        for (int i = x; i < x + w; ++i) {
            set(i, j, c);
        }
    }
}

void Canvas::frameRect(int x, int y, int w, int h, Colour c) {
    fillRect(x, y, w, 1, c);
    fillRect(x, y + h - 1, w, 1, c);
    fillRect(x, y, 1, h, c);
    fillRect(x + w - 1, y, 1, h, c);
}

void Canvas::verticalGradient(int x, int y, int w, int h, Colour top, Colour bottom) {
    for (int j = 0; j < h; ++j) {
        const double t = h > 1 ? static_cast<double>(j) / (h - 1) : 0.0;
        fillRect(x, y + j, w, 1, mix(top, bottom, t));
    }
}

namespace {
bool insideEllipse(int dx, int dy, int rx, int ry) {
    // Compared in integers so the shape is exactly symmetric.
    const long long a = static_cast<long long>(dx) * dx * ry * ry;
    const long long b = static_cast<long long>(dy) * dy * rx * rx;
    return a + b <= static_cast<long long>(rx) * rx * ry * ry;
}
}  // namespace

void Canvas::fillEllipse(int cx, int cy, int rx, int ry, Colour c) {
    for (int dy = -ry; dy <= ry; ++dy) {
        for (int dx = -rx; dx <= rx; ++dx) {
            if (insideEllipse(dx, dy, rx, ry)) {
                set(cx + dx, cy + dy, c);
            }
        }
    }
}

void Canvas::ellipseRim(int cx, int cy, int rx, int ry, Colour c) {
    for (int dy = -ry; dy <= ry; ++dy) {
        for (int dx = -rx; dx <= rx; ++dx) {
            if (!insideEllipse(dx, dy, rx, ry)) {
                continue;
            }
            const bool edge =
                !insideEllipse(dx - 1, dy, rx, ry) || !insideEllipse(dx + 1, dy, rx, ry) ||
                !insideEllipse(dx, dy - 1, rx, ry) || !insideEllipse(dx, dy + 1, rx, ry);
            if (edge) {
                set(cx + dx, cy + dy, c);
            }
        }
    }
}

void Canvas::drawSprite(const Canvas& sprite, int x, int y) {
    for (int j = 0; j < sprite.height(); ++j) {
        for (int i = 0; i < sprite.width(); ++i) {
            const Colour c = sprite.at(i, j);
            if (c != kKey) {
                set(x + i, y + j, c);
            }
        }
    }
}

void Canvas::text(int x, int y, const std::string& s, Colour c, int scale) {
    for (std::size_t n = 0; n < s.size(); ++n) {
        const unsigned char* glyph = &gfxPrimitivesFontdata[static_cast<unsigned char>(s[n]) * 8];
        const int left = x + static_cast<int>(n) * 8 * scale;
        for (int row = 0; row < 8; ++row) {
            for (int col = 0; col < 8; ++col) {
                if (glyph[row] & (0x80 >> col)) {
                    fillRect(left + col * scale, y + row * scale, scale, scale, c);
                }
            }
        }
    }
}

void Canvas::shadowText(int x, int y, const std::string& s, Colour c, Colour shadow, int scale) {
    text(x + scale, y + scale, s, shadow, scale);
    text(x, y, s, c, scale);
}

void Canvas::centredText(int y, const std::string& s, Colour c, Colour shadow, int scale) {
    shadowText((width_ - textWidth(s, scale)) / 2, y, s, c, shadow, scale);
}

bool Canvas::writePng(const std::string& path) const {
    return stbi_write_png(path.c_str(), width_, height_, 3, rgb_.data(), width_ * 3) != 0;
}

bool Canvas::writePngWithAlpha(const std::string& path) const {
    std::vector<std::uint8_t> rgba;
    rgba.reserve(rgb_.size() / 3 * 4);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const Colour c = at(x, y);
            rgba.insert(rgba.end(),
                        {c.r, c.g, c.b, static_cast<std::uint8_t>(c == kKey ? 0 : 255)});
        }
    }
    return stbi_write_png(path.c_str(), width_, height_, 4, rgba.data(), width_ * 4) != 0;
}

bool Canvas::writeJpeg(const std::string& path, int quality) const {
    return stbi_write_jpg(path.c_str(), width_, height_, 3, rgb_.data(), quality) != 0;
}
