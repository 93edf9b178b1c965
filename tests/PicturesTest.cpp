// The generated pictures: every file decodes at the size the game draws it, keys cleanly on the
// 16-bit screen, and leaves room for what the game draws on top.
#include <SDL/SDL_image.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "gfx/ImageLoader.h"
#include "support/SdlTest.h"

namespace {
struct PictureFile {
    const char* name;
    int minWidth, maxWidth, minHeight, maxHeight;
};
void PrintTo(const PictureFile& file, std::ostream* out) {
    *out << file.name;
}

// The nine sprites first.
const PictureFile kAllPictures[] = {
    {"char.png", 10, 14, 16, 20},           {"enemy1.png", 10, 14, 16, 20},
    {"enemy2.png", 10, 14, 16, 20},         {"enemy3.png", 10, 14, 16, 20},
    {"portal.png", 22, 30, 42, 50},         {"bbonus.png", 14, 18, 14, 18},
    {"obonus.png", 14, 18, 14, 18},         {"rbonus.png", 14, 18, 14, 18},
    {"gbonus.png", 14, 18, 14, 18},         {"image.jpg", 320, 320, 240, 240},
    {"namescreen.png", 320, 320, 240, 240}, {"intro.png", 320, 320, 240, 240},
    {"menu.png", 320, 320, 240, 240},       {"menu2.jpg", 320, 320, 240, 240},
};

std::string testName(const ::testing::TestParamInfo<PictureFile>& info) {
    std::string name = info.param.name;
    name.erase(std::remove_if(name.begin(), name.end(), [](char c) { return !std::isalnum(c); }),
               name.end());
    return name;
}

// A picture converted to the screen format, read pixel by pixel.
struct Picture {
    explicit Picture(const std::string& file)
        : surface(ImageLoader{}.loadImage(imagePath(file)), SDL_FreeSurface) {}
    int width() const { return surface->w; }
    int height() const { return surface->h; }
    Rgb at(int x, int y) const { return pixelAt(surface.get(), x, y); }
    // True where the game's white colour key makes the pixel see-through.
    bool isKey(int x, int y) const { return at(x, y) == asStored(surface.get(), 255, 255, 255); }
    std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)> surface;
};

int keyPixels(const Picture& p) {
    int keyed = 0;
    for (int y = 0; y < p.height(); ++y) {
        for (int x = 0; x < p.width(); ++x) {
            keyed += p.isKey(x, y);
        }
    }
    return keyed;
}

// Key pixels that cannot be reached from the border through other key pixels: holes the game
// would punch into the figure.
int enclosedKeyPixels(const Picture& p) {
    const int w = p.width(), h = p.height();
    std::vector<char> reached(static_cast<std::size_t>(w) * h, 0);
    for (bool grew = true; grew;) {
        grew = false;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const bool nextToReached = x == 0 || y == 0 || x == w - 1 || y == h - 1 ||
                                           reached[y * w + x - 1] || reached[y * w + x + 1] ||
                                           reached[(y - 1) * w + x] || reached[(y + 1) * w + x];
                if (!reached[y * w + x] && nextToReached && p.isKey(x, y)) {
                    reached[y * w + x] = grew = true;
                }
            }
        }
    }
    return keyPixels(p) - static_cast<int>(std::count(reached.begin(), reached.end(), 1));
}
}  // namespace

class EveryPicture : public SdlTest, public ::testing::WithParamInterface<PictureFile> {};

TEST_P(EveryPicture, IsAFileOfItsFormatThatDecodesAtTheSizeTheGameDrawsIt) {
    const PictureFile& file = GetParam();
    const std::string path = imagePath(file.name), name = file.name;
    std::ifstream in(path, std::ios::binary);
    std::string head(8, '\0');
    ASSERT_TRUE(in.read(head.data(), 8)) << "missing or truncated";
    if (name.substr(name.size() - 4) == ".png") {
        EXPECT_EQ(std::string("\x89PNG\r\n\x1a\n"), head);
    } else {
        ASSERT_EQ(".jpg", name.substr(name.size() - 4));
        EXPECT_EQ(std::string("\xFF\xD8"), head.substr(0, 2));
    }
    SDL_Surface* decoded = IMG_Load(path.c_str());
    ASSERT_NE(nullptr, decoded) << IMG_GetError();
    EXPECT_TRUE(decoded->w >= file.minWidth && decoded->w <= file.maxWidth) << decoded->w;
    EXPECT_TRUE(decoded->h >= file.minHeight && decoded->h <= file.maxHeight) << decoded->h;
    SDL_FreeSurface(decoded);
}

INSTANTIATE_TEST_SUITE_P(Pictures, EveryPicture, ::testing::ValuesIn(kAllPictures), testName);

class SpritePicture : public EveryPicture {};

TEST_P(SpritePicture, HasAKeyedSurroundAndASolidFigure) {
    const Picture p(GetParam().name);
    ASSERT_TRUE(p.surface);
    const int w = p.width(), h = p.height();
    EXPECT_TRUE(p.isKey(0, 0) && p.isKey(w - 1, 0) && p.isKey(0, h - 1) && p.isKey(w - 1, h - 1));
    EXPECT_GE((w * h - keyPixels(p)) * 3, w * h) << "the figure covers under a third";
    EXPECT_EQ(0, enclosedKeyPixels(p)) << "near-white pixels inside the figure turn see-through";
}

INSTANTIATE_TEST_SUITE_P(Pictures, SpritePicture,
                         ::testing::ValuesIn(kAllPictures, kAllPictures + 9), testName);

using PictureLayout = SdlTest;

// Full-screen pictures loaded with the key: none of their pixels may turn see-through. The
// game writes black 8x8 text on some: it must sit on a light area.
TEST_F(PictureLayout, ScreensHaveNoKeyColourAndLightAreasBehindText) {
    for (const char* file : {"namescreen.png", "intro.png", "menu.png"}) {
        const Picture p(file);
        ASSERT_TRUE(p.surface) << file;
        EXPECT_EQ(0, keyPixels(p)) << file;
    }
    const struct {
        const char* file;
        int x0, y0, x1, y1;
    } areas[] = {{"image.jpg", 15, 5, 215, 30},      // the level, lives and score
                 {"menu.png", 178, 63, 318, 208},    // the high-score listing
                 {"menu2.jpg", 45, 125, 120, 145}};  // the name letters
    for (const auto& a : areas) {
        const Picture p(a.file);
        ASSERT_TRUE(p.surface) << a.file;
        for (int y = a.y0; y <= a.y1; ++y) {
            for (int x = a.x0; x <= a.x1; ++x) {
                const Rgb c = p.at(x, y);
                ASSERT_GE(0.299 * c.r + 0.587 * c.g + 0.114 * c.b, 160) << a.file << x << "," << y;
            }
        }
    }
}

// Sprites of one kind, drawn at the same spot, differ in many pixels.
TEST_F(PictureLayout, PlayerEnemiesAndPickupsLookDifferent) {
    const std::vector<const char*> groups[] = {
        {"char.png", "enemy1.png", "enemy2.png", "enemy3.png"},
        {"bbonus.png", "obonus.png", "rbonus.png", "gbonus.png"}};
    for (const auto& files : groups) {
        for (std::size_t i = 0; i < files.size(); ++i) {
            for (std::size_t j = i + 1; j < files.size(); ++j) {
                const Picture a(files[i]), b(files[j]);
                ASSERT_TRUE(a.surface && b.surface);
                int differ = 0;
                for (int y = 0; y < std::min(a.height(), b.height()); ++y) {
                    for (int x = 0; x < std::min(a.width(), b.width()); ++x) {
                        differ += a.at(x, y) != b.at(x, y);
                    }
                }
                EXPECT_GE(differ, 40) << files[i] << " and " << files[j];
            }
        }
    }
}
