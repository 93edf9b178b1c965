// picturemaker OUTDIR ICONDIR SIDE...: draws every picture of the game into OUTDIR and the
// desktop's icon at each SIDE into ICONDIR/hicolor/SIDExSIDE/apps/dwindle.png.
#include <cstdio>
#include <exception>
#include <filesystem>
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
    auto png = [&](const std::string& file, const Canvas& c) {
        if (!c.writePng(dir + "/" + file)) {
            fail(file, "cannot write");
        }
    };
    // The game keys white out of every PNG; a screen must not have a single see-through pixel.
    auto screenPng = [&](const std::string& file, const Canvas& c) {
        if (hasSeeThroughPixel(c)) {
            fail(file, "has near-white pixels that the game would show through");
        }
        png(file, c);
    };
    auto iconPng = [&](const std::string& path, const Canvas& c) {
        if (!c.writePngWithAlpha(path)) {
            fail(path, "cannot write");
        }
    };
    auto jpeg = [&](const std::string& file, const Canvas& c) {
        if (!c.writeJpeg(dir + "/" + file, kJpegQuality)) {
            fail(file, "cannot write");
        }
    };

    try {
        png("char.png", playerSprite());
        png("enemy1.png", enemySprite(1));
        png("enemy2.png", enemySprite(2));
        png("enemy3.png", enemySprite(3));
        png("portal.png", portalSprite());
        png("bbonus.png", pickupSprite(Pickup::Points));
        png("obonus.png", pickupSprite(Pickup::Penalty));
        png("rbonus.png", pickupSprite(Pickup::ExtraLife));
        png("gbonus.png", pickupSprite(Pickup::SendBack));
        jpeg("image.jpg", playBackground());
        screenPng("namescreen.png", makerScreen());
        screenPng("intro.png", howToPlayScreen());
        screenPng("menu.png", highScoreMenu());
        jpeg("menu2.jpg", nameEntryScreen());
        iconPng(dir + "/icon.png", gameIcon(kWindowIconSide));
        if (!writeCacheFiles(dir)) {
            fail("glyphs.png, platforms.png", "cannot draw or write");
        }
        for (int i = 3; i < argc; ++i) {
            const int side = std::stoi(argv[i]);
            const std::string folder = iconDir + "/hicolor/" + argv[i] + "x" + argv[i] + "/apps";
            std::filesystem::create_directories(folder);
            iconPng(folder + "/dwindle.png", gameIcon(side));
        }
    } catch (const std::exception& e) {
        // A broken sprite grid (ragged row, unknown letter) names itself here.
        std::fprintf(stderr, "picturemaker: %s\n", e.what());
        return 1;
    }
    return failures == 0 ? 0 : 1;
}
