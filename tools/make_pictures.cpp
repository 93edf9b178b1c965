// picturemaker OUTDIR ICONDIR SIDE...: draws every picture that src/gfx/PictureList.h lists into
// OUTDIR, each from the recipe of that name, and the desktop's icon at each SIDE into
// ICONDIR/hicolor/SIDExSIDE/apps/dwindle.png.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "CacheFiles.h"
#include "Canvas.h"
#include "Screens.h"
#include "Sprites.h"

namespace {
// High enough that the 8x8 text on the JPEG screens keeps sharp edges.
constexpr int kJpegQuality = 95;
// The icon the game gives its own window.
constexpr int kWindowIconSide = 64;

const char* const kListed[] = {
#define KEYED(field, file) file,
#define PLAIN(field, file) file,
#define ICON(name, file) file,
#define DRAWN_ONCE(name, file) file,
#include "gfx/PictureList.h"
};

bool hasSeeThroughPixel(const Canvas& c) {
    for (int y = 0; y < c.height(); ++y) {
        for (int x = 0; x < c.width(); ++x) {
            if (looksLikeKey(c.at(x, y))) {
                return true;
            }
        }
    }
    return false;
}

// A recipe draws its picture and writes it to the path it is given: null when written, else
// why not.
using Recipe = std::function<const char*(const std::string& path)>;

const char* written(bool done) {
    return done ? nullptr : "cannot write";
}
const char* png(const std::string& path, const Canvas& c) {
    return written(c.writePng(path));
}
// The game keys white out of every PNG; a screen must not have a single see-through pixel.
const char* screenPng(const std::string& path, const Canvas& c) {
    return hasSeeThroughPixel(c) ? "has near-white pixels that the game would show through"
                                 : png(path, c);
}
const char* jpeg(const std::string& path, const Canvas& c) {
    return written(c.writeJpeg(path, kJpegQuality));
}
const char* iconPng(const std::string& path, const Canvas& c) {
    return written(c.writePngWithAlpha(path));
}

std::map<std::string, Recipe> pictureRecipes() {
    using Path = const std::string&;
    return {
        {"char.png", [](Path path) { return png(path, playerSprite()); }},
        {"portal.png", [](Path path) { return png(path, portalSprite()); }},
        {"image.jpg", [](Path path) { return jpeg(path, playBackground()); }},
        {"bbonus.png", [](Path path) { return png(path, pickupSprite(Pickup::Points)); }},
        {"obonus.png", [](Path path) { return png(path, pickupSprite(Pickup::Penalty)); }},
        {"rbonus.png", [](Path path) { return png(path, pickupSprite(Pickup::ExtraLife)); }},
        {"gbonus.png", [](Path path) { return png(path, pickupSprite(Pickup::SendBack)); }},
        {"enemy1.png", [](Path path) { return png(path, enemySprite(1)); }},
        {"enemy2.png", [](Path path) { return png(path, enemySprite(2)); }},
        {"enemy3.png", [](Path path) { return png(path, enemySprite(3)); }},
        {"intro.png", [](Path path) { return screenPng(path, howToPlayScreen()); }},
        {"namescreen.png", [](Path path) { return screenPng(path, makerScreen()); }},
        {"menu.png", [](Path path) { return screenPng(path, highScoreMenu()); }},
        {"menu2.jpg", [](Path path) { return jpeg(path, nameEntryScreen()); }},
        {"icon.png", [](Path path) { return iconPng(path, gameIcon(kWindowIconSide)); }},
        {"glyphs.png",
         [](Path path) { return writeGlyphSheetFile(path) ? nullptr : "cannot draw or write"; }},
        {"platforms.png",
         [](Path path) { return writePlatformsFile(path) ? nullptr : "cannot draw or write"; }},
    };
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s OUTDIR ICONDIR SIDE...\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    const std::string iconDir = argv[2];
    int failures = 0;
    auto fail = [&](const std::string& file, const char* why) {
        std::fprintf(stderr, "picturemaker: %s: %s\n", file.c_str(), why);
        ++failures;
    };

    try {
        std::map<std::string, Recipe> recipes = pictureRecipes();
        for (const std::string file : kListed) {
            const auto recipe = recipes.find(file);
            if (recipe == recipes.end()) {
                fail(file, "listed, but no recipe draws it");
                continue;
            }
            if (const char* why = recipe->second(dir + "/" + file)) {
                fail(file, why);
            }
            recipes.erase(recipe);
        }
        // A recipe the game would never load: a file name mistyped here or in the list.
        for (const auto& unlisted : recipes) {
            fail(unlisted.first, "a recipe for a picture not listed");
        }
        for (int i = 3; i < argc; ++i) {
            const int side = std::stoi(argv[i]);
            const std::string folder = iconDir + "/hicolor/" + argv[i] + "x" + argv[i] + "/apps";
            std::filesystem::create_directories(folder);
            if (const char* why = iconPng(folder + "/dwindle.png", gameIcon(side))) {
                fail(folder + "/dwindle.png", why);
            }
        }
    } catch (const std::exception& e) {
        // A broken sprite grid (ragged row, unknown letter) names itself here.
        std::fprintf(stderr, "picturemaker: %s\n", e.what());
        return 1;
    }
    return failures == 0 ? 0 : 1;
}
