// The generated pictures: every file decodes at the size the game draws it, keys cleanly on the
// 16-bit screen, and leaves room for what the game draws on top.
#include <SDL/SDL_image.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <map>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "gfx/ImageLoader.h"
#include "support/SdlTest.h"

namespace {
struct Size {
    int minWidth, maxWidth, minHeight, maxHeight;
};
constexpr Size kScreen{320, 320, 240, 240};
constexpr Size kFigure{10, 14, 16, 20};
constexpr Size kPortal{22, 30, 42, 50};
constexpr Size kPickup{14, 18, 14, 18};

struct PictureFile {
    const char* name;
    Size size;
};

const PictureFile kAllPictures[] = {
    {"char.png", kFigure},   {"enemy1.png", kFigure},     {"enemy2.png", kFigure},
    {"enemy3.png", kFigure}, {"portal.png", kPortal},     {"bbonus.png", kPickup},
    {"obonus.png", kPickup}, {"rbonus.png", kPickup},     {"gbonus.png", kPickup},
    {"image.jpg", kScreen},  {"namescreen.png", kScreen}, {"intro.png", kScreen},
    {"menu.png", kScreen},   {"menu2.jpg", kScreen},
};

// A sprite and the point of it that the game puts on the platform centre: the game blits the
// figures at (x - 5, y - 15), the portal at (x - 13, y - 45) and the pickups at (x - 8, y - 15).
struct SpriteFile {
    const char* name;
    int anchorX, anchorY;
};

const SpriteFile kSprites[] = {
    {"char.png", 5, 15},   {"enemy1.png", 5, 15},  {"enemy2.png", 5, 15},
    {"enemy3.png", 5, 15}, {"portal.png", 13, 45}, {"bbonus.png", 8, 15},
    {"obonus.png", 8, 15}, {"rbonus.png", 8, 15},  {"gbonus.png", 8, 15},
};

// Test names and failure messages show the file, not the bytes of the parameter.
void PrintTo(const PictureFile& file, std::ostream* out) {
    *out << file.name;
}
void PrintTo(const SpriteFile& sprite, std::ostream* out) {
    *out << sprite.name;
}

std::string nameOf(const char* file) {
    std::string name;
    for (const char* p = file; *p != '\0'; ++p) {
        if (std::isalnum(static_cast<unsigned char>(*p))) {
            name += *p;
        }
    }
    return name;
}

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::vector<unsigned char> firstBytes(const std::string& path, std::size_t count) {
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes(count);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

// A picture converted to the screen format, read pixel by pixel.
class Picture {
  public:
    explicit Picture(const std::string& file)
        : surface_(ImageLoader{}.loadImage(imagePath(file))) {}
    ~Picture() { SDL_FreeSurface(surface_); }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    bool loaded() const { return surface_ != nullptr; }
    int width() const { return surface_->w; }
    int height() const { return surface_->h; }
    Rgb at(int x, int y) const { return pixelAt(surface_, x, y); }
    // True where the game's white colour key makes the pixel see-through.
    bool isKey(int x, int y) const { return at(x, y) == asStored(surface_, 255, 255, 255); }

  private:
    SDL_Surface* surface_;
};

// Perceived brightness, 0 to 255.
double luminance(const Rgb& c) {
    return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b;
}

double distance(const Rgb& a, const Rgb& b) {
    return std::sqrt(
        double((a.r - b.r) * (a.r - b.r) + (a.g - b.g) * (a.g - b.g) + (a.b - b.b) * (a.b - b.b)));
}

// The darkest pixel of a rectangle, inclusive bounds.
double darkestIn(const Picture& p, int x0, int y0, int x1, int y1) {
    double darkest = 255;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            darkest = std::min(darkest, luminance(p.at(x, y)));
        }
    }
    return darkest;
}

struct Bounds {
    int left, top, right, bottom;  // inclusive
    int opaque;                    // pixels that are not the key
};

Bounds figureBounds(const Picture& p) {
    Bounds b{p.width(), p.height(), -1, -1, 0};
    for (int y = 0; y < p.height(); ++y) {
        for (int x = 0; x < p.width(); ++x) {
            if (!p.isKey(x, y)) {
                b = Bounds{std::min(b.left, x), std::min(b.top, y), std::max(b.right, x),
                           std::max(b.bottom, y), b.opaque + 1};
            }
        }
    }
    return b;
}

// Key pixels that cannot be reached from the border through other key pixels: holes the game
// would punch into the figure.
int enclosedKeyPixels(const Picture& p) {
    const int w = p.width(), h = p.height();
    std::vector<char> seen(static_cast<std::size_t>(w) * h, 0);
    std::vector<std::pair<int, int>> todo;
    auto visit = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h || seen[y * w + x] || !p.isKey(x, y)) {
            return;
        }
        seen[y * w + x] = 1;
        todo.emplace_back(x, y);
    };
    for (int x = 0; x < w; ++x) {
        visit(x, 0);
        visit(x, h - 1);
    }
    for (int y = 0; y < h; ++y) {
        visit(0, y);
        visit(w - 1, y);
    }
    while (!todo.empty()) {
        const auto [x, y] = todo.back();
        todo.pop_back();
        visit(x + 1, y);
        visit(x - 1, y);
        visit(x, y + 1);
        visit(x, y - 1);
    }
    int enclosed = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            enclosed += p.isKey(x, y) && !seen[y * w + x];
        }
    }
    return enclosed;
}

// The colour most of the figure is painted in, leaving out the dark outline.
Rgb mainColour(const Picture& p) {
    std::map<std::tuple<int, int, int>, int> counts;
    for (int y = 0; y < p.height(); ++y) {
        for (int x = 0; x < p.width(); ++x) {
            const Rgb c = p.at(x, y);
            if (!p.isKey(x, y) && luminance(c) > 60) {
                ++counts[std::make_tuple(c.r, c.g, c.b)];
            }
        }
    }
    std::tuple<int, int, int> best{255, 255, 255};
    int most = 0;
    for (const auto& [colour, count] : counts) {
        if (count > most) {
            best = colour;
            most = count;
        }
    }
    return Rgb{std::get<0>(best), std::get<1>(best), std::get<2>(best)};
}

// Pixels covered by one figure and not the other, both drawn at the same spot.
int silhouetteDifference(const Picture& a, const Picture& b) {
    const int w = std::max(a.width(), b.width()), h = std::max(a.height(), b.height());
    int differ = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool inA = x < a.width() && y < a.height() && !a.isKey(x, y);
            const bool inB = x < b.width() && y < b.height() && !b.isKey(x, y);
            differ += inA != inB;
        }
    }
    return differ;
}
}  // namespace

class EveryPicture : public SdlTest, public ::testing::WithParamInterface<PictureFile> {};

TEST_P(EveryPicture, IsAFileOfTheFormatItsNameSays) {
    const std::string name = GetParam().name;
    const std::vector<unsigned char> head = firstBytes(imagePath(name), 8);
    ASSERT_EQ(8u, head.size()) << name << " is missing or truncated";
    if (endsWith(name, ".png")) {
        const std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
        EXPECT_EQ(png, head) << name;
    } else {
        ASSERT_TRUE(endsWith(name, ".jpg")) << name;
        EXPECT_EQ(0xFF, head[0]) << name;
        EXPECT_EQ(0xD8, head[1]) << name;
    }
}

TEST_P(EveryPicture, DecodesAtTheSizeTheGameDrawsIt) {
    const PictureFile& file = GetParam();
    SDL_Surface* decoded = IMG_Load(imagePath(file.name).c_str());
    ASSERT_NE(nullptr, decoded) << file.name << ": " << IMG_GetError();
    EXPECT_GE(decoded->w, file.size.minWidth) << file.name;
    EXPECT_LE(decoded->w, file.size.maxWidth) << file.name;
    EXPECT_GE(decoded->h, file.size.minHeight) << file.name;
    EXPECT_LE(decoded->h, file.size.maxHeight) << file.name;
    SDL_FreeSurface(decoded);
}

INSTANTIATE_TEST_SUITE_P(Pictures, EveryPicture, ::testing::ValuesIn(kAllPictures),
                         [](const auto& info) { return nameOf(info.param.name); });

class SpritePicture : public SdlTest, public ::testing::WithParamInterface<SpriteFile> {};

TEST_P(SpritePicture, HasAKeyedSurroundAndASolidFigure) {
    const Picture p(GetParam().name);
    ASSERT_TRUE(p.loaded()) << GetParam().name;
    EXPECT_TRUE(p.isKey(0, 0));
    EXPECT_TRUE(p.isKey(p.width() - 1, 0));
    EXPECT_TRUE(p.isKey(0, p.height() - 1));
    EXPECT_TRUE(p.isKey(p.width() - 1, p.height() - 1));

    const Bounds b = figureBounds(p);
    EXPECT_GE(b.opaque * 3, p.width() * p.height()) << "the figure covers under a third";
    EXPECT_GE((b.right - b.left + 1) * 4, p.width() * 3) << "the figure is too narrow";
    EXPECT_GE((b.bottom - b.top + 1) * 3, p.height() * 2) << "the figure is too short";
    EXPECT_EQ(0, enclosedKeyPixels(p)) << "near-white pixels inside the figure turn see-through";
}

TEST_P(SpritePicture, StandsOnThePlatformCentre) {
    const SpriteFile& sprite = GetParam();
    const Picture p(sprite.name);
    ASSERT_TRUE(p.loaded()) << sprite.name;
    const Bounds b = figureBounds(p);
    const double middle = (b.left + b.right) / 2.0;
    EXPECT_NEAR(sprite.anchorX, middle, 1.5) << "off-centre on its platform";
    EXPECT_GE(b.bottom, sprite.anchorY - 2) << "floats above the platform centre";
    EXPECT_LE(b.bottom, sprite.anchorY + 2) << "reaches too far below the platform centre";
}

INSTANTIATE_TEST_SUITE_P(Pictures, SpritePicture, ::testing::ValuesIn(kSprites),
                         [](const auto& info) { return nameOf(info.param.name); });

class KeyedScreen : public SdlTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(KeyedScreen, HasNoSeeThroughPixel) {
    const Picture p(GetParam());
    ASSERT_TRUE(p.loaded()) << GetParam();
    int keyed = 0;
    for (int y = 0; y < p.height(); ++y) {
        for (int x = 0; x < p.width(); ++x) {
            keyed += p.isKey(x, y);
        }
    }
    EXPECT_EQ(0, keyed);
}

INSTANTIATE_TEST_SUITE_P(Pictures, KeyedScreen,
                         ::testing::Values("namescreen.png", "intro.png", "menu.png"),
                         [](const auto& info) { return nameOf(info.param); });

using PictureLayout = SdlTest;

// The game writes black 8x8 text on these pictures; it must sit on a light area.
TEST_F(PictureLayout, BlackTextOfTheGameLandsOnLightAreas) {
    const double light = 160;
    const Picture play("image.jpg");
    ASSERT_TRUE(play.loaded());
    EXPECT_GE(darkestIn(play, 15, 5, 215, 30), light) << "behind the level, lives and score";

    const Picture menu("menu.png");
    ASSERT_TRUE(menu.loaded());
    EXPECT_GE(darkestIn(menu, 178, 63, 318, 208), light) << "behind the high-score listing";

    const Picture entry("menu2.jpg");
    ASSERT_TRUE(entry.loaded());
    EXPECT_GE(darkestIn(entry, 45, 125, 120, 145), light) << "behind the name letters";
}

TEST_F(PictureLayout, PlayBackgroundLetsThePlatformsStandOut) {
    const Picture play("image.jpg");
    ASSERT_TRUE(play.loaded());
    const Rgb platform{200, 115, 30};
    double closest = 1e9;
    // Everything below the HUD is where the board goes.
    for (int y = 36; y < play.height(); ++y) {
        for (int x = 0; x < play.width(); ++x) {
            closest = std::min(closest, distance(platform, play.at(x, y)));
        }
    }
    EXPECT_GT(closest, 120) << "some of the background is near the platforms' orange";
}

TEST_F(PictureLayout, PlayerAndEnemiesLookDifferent) {
    const char* files[] = {"char.png", "enemy1.png", "enemy2.png", "enemy3.png"};
    for (int i = 0; i < 4; ++i) {
        for (int j = i + 1; j < 4; ++j) {
            const Picture a(files[i]), b(files[j]);
            ASSERT_TRUE(a.loaded() && b.loaded());
            EXPECT_GE(silhouetteDifference(a, b), 20) << files[i] << " and " << files[j];
            EXPECT_GE(distance(mainColour(a), mainColour(b)), 40)
                << files[i] << " and " << files[j];
        }
    }
}

TEST_F(PictureLayout, PickupsLookDifferent) {
    const char* files[] = {"bbonus.png", "obonus.png", "rbonus.png", "gbonus.png"};
    for (int i = 0; i < 4; ++i) {
        for (int j = i + 1; j < 4; ++j) {
            const Picture a(files[i]), b(files[j]);
            ASSERT_TRUE(a.loaded() && b.loaded());
            EXPECT_GE(silhouetteDifference(a, b), 30) << files[i] << " and " << files[j];
            EXPECT_GE(distance(mainColour(a), mainColour(b)), 60)
                << files[i] << " and " << files[j];
        }
    }
}
