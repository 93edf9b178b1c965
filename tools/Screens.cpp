// The full-screen pictures, drawn from gradients, panels, sprites and 8x8 text.
#include "Screens.h"

#include <cstdint>
#include <string>

#include "Sprites.h"

namespace {
// No colour here is near white: the full-screen PNGs are colour-keyed on white too.
constexpr Colour kSkyTop{10, 14, 40};
constexpr Colour kSkyBottom{18, 64, 86};
constexpr Colour kTrees{12, 38, 52};
constexpr Colour kPaper{232, 226, 204};
constexpr Colour kPaperEdge{120, 96, 60};
constexpr Colour kTitle{245, 160, 40};
constexpr Colour kTitleShadow{70, 30, 10};
constexpr Colour kText{230, 230, 215};
constexpr Colour kTextShadow{8, 10, 24};
constexpr Colour kHeading{250, 215, 90};
constexpr Colour kPlatform{200, 115, 30};
constexpr Colour kRim{0, 0, 0};

// A fixed pseudo-random sequence, so every build draws the same stars.
class Dice {
  public:
    explicit Dice(std::uint32_t seed) : state_(seed) {}
    int below(int n) {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<int>((state_ >> 8) % static_cast<std::uint32_t>(n));
    }

  private:
    std::uint32_t state_;
};

// The shared backdrop: a night sky fading to teal, dim stars, and a treeline at the bottom.
Canvas nightSky(std::uint32_t seed, int stars) {
    Canvas sky(kScreenWidth, kScreenHeight, kSkyTop);
    sky.verticalGradient(0, 0, kScreenWidth, kScreenHeight, kSkyTop, kSkyBottom);
    Dice dice(seed);
    for (int n = 0; n < stars; ++n) {
        const int x = dice.below(kScreenWidth);
        const int y = dice.below(kScreenHeight - 40);
        // Mostly faint dots; one in eight a dim cross, so the sky stays calm behind the board.
        const Colour base = sky.at(x, y);
        if (dice.below(8) == 0) {
            const Colour bright = mix(base, Colour{200, 210, 230}, 0.8);
            const Colour glow = mix(base, bright, 0.45);
            sky.set(x, y, bright);
            sky.set(x - 1, y, glow);
            sky.set(x + 1, y, glow);
            sky.set(x, y - 1, glow);
            sky.set(x, y + 1, glow);
        } else {
            sky.set(x, y, mix(base, Colour{170, 185, 215}, 0.35 + 0.1 * dice.below(4)));
        }
    }
    // A treeline from two triangle waves of different periods, so it does not visibly repeat.
    for (int x = 0; x < kScreenWidth; ++x) {
        const int top = 214 + ((x * 7) % 64 < 32 ? (x * 7) % 32 : 31 - (x * 7) % 32) / 4 +
                        ((x * 3) % 90 < 45 ? (x * 3) % 45 : 44 - (x * 3) % 45) / 5;
        for (int y = top; y < kScreenHeight; ++y) {
            sky.set(x, y, mix(kTrees, kSkyTop, 0.3 * (y - top) / 30.0));
        }
    }
    return sky;
}

// A light card with a dark edge and a soft shadow, for black text drawn by the game.
void paperPanel(Canvas& c, int x, int y, int w, int h) {
    c.fillRect(x + 3, y + 3, w, h, mix(c.at(x + 3, y + h + 2), kTextShadow, 0.6));
    c.fillRect(x, y, w, h, kPaper);
    c.frameRect(x, y, w, h, kPaperEdge);
    c.frameRect(x + 1, y + 1, w - 2, h - 2, mix(kPaper, kPaperEdge, 0.25));
}

// A platform as the game draws it: an orange ellipse with a black rim.
void platform(Canvas& c, int cx, int cy, int rx, int ry) {
    c.fillEllipse(cx, cy, rx, ry, kPlatform);
    c.ellipseRim(cx, cy, rx, ry, kRim);
}

// A sprite standing on a platform, placed with the game's own offsets.
void standOn(Canvas& c, const Canvas& figure, int cx, int cy) {
    c.drawSprite(figure, cx - 5, cy - 15);
}

// Platforms that get smaller left to right: the game's idea in one picture.
void dwindlingRow(Canvas& c, int left, int cy, int count, int rx, int step) {
    int x = left;
    for (int n = 0; n < count && rx > 3; ++n) {
        platform(c, x + rx, cy, rx, rx * 5 / 6);
        x += 2 * rx + 6;
        rx -= step;
    }
}
}  // namespace

Canvas playBackground() {
    Canvas bg = nightSky(7, 70);
    // The HUD is drawn in black 8x8 text over x 20..215, y 10..28.
    paperPanel(bg, 12, 3, 207, 30);
    return bg;
}

Canvas makerScreen() {
    Canvas c = nightSky(11, 90);
    const std::string name = "Dwindle";
    // The big title gets a two-step shadow, so it looks raised.
    c.centredText(40, name, kTitleShadow, kTitleShadow, 5);
    c.shadowText((kScreenWidth - Canvas::textWidth(name, 5)) / 2 - 2, 38, name, kTitle,
                 kTitleShadow, 5);
    c.centredText(100, "a Dwindle team game", kHeading, kTextShadow, 2);
    dwindlingRow(c, 38, 160, 6, 26, 4);
    standOn(c, playerSprite(), 38 + 26, 160);
    c.centredText(204, "made by the Dwindle team", kText, kTextShadow, 1);
    return c;
}

Canvas howToPlayScreen() {
    Canvas c = nightSky(23, 60);
    c.centredText(6, "Dwindle", kTitle, kTitleShadow, 3);
    c.centredText(36, "HOW TO PLAY", kHeading, kTextShadow, 1);

    const int left = 12;
    int y = 52;
    auto say = [&](const std::string& line) {
        c.shadowText(left, y, line, kText, kTextShadow);
        y += 11;
    };
    say("Arrows or stick: move one platform");
    say("at a time.");
    y += 4;
    say("Reach the portal at the top right.");
    y += 4;
    say("Platforms shrink, vanish and come");
    say("back: don't stay too long on one.");
    y += 4;
    say("Enemies chase you. Keep moving!");

    c.shadowText(left, 150, "PICKUPS", kHeading, kTextShadow);
    struct Entry {
        Pickup kind;
        const char* word;
    };
    const Entry entries[] = {{Pickup::Points, "points"},
                             {Pickup::Penalty, "minus 350"},
                             {Pickup::ExtraLife, "extra life"},
                             {Pickup::SendBack, "enemy sent back"}};
    for (int n = 0; n < 4; ++n) {
        const int x = left + (n % 2) * 150;
        const int row = 166 + (n / 2) * 24;
        c.drawSprite(pickupSprite(entries[n].kind), x, row - 4);
        c.shadowText(x + 22, row + 4, entries[n].word, kText, kTextShadow);
    }
    // The chase in the gap above the pickups: the player runs from the three enemies.
    const int feet = 143;
    platform(c, 196, feet, 12, 8);
    standOn(c, playerSprite(), 196, feet);
    for (int n = 1; n <= 3; ++n) {
        const int x = 196 + 28 * n;
        platform(c, x, feet, 12, 8);
        standOn(c, enemySprite(n), x, feet);
    }
    // The window's and the sound's keys under the pickups, in the pickups' two columns.
    const struct {
        const char *key, *word;
    } keys[] = {
        {"P", "pause"}, {"F11", "full screen"}, {"M", "music on/off"}, {"S", "all sound on/off"}};
    for (int n = 0; n < 4; ++n) {
        const int x = left + (n % 2) * 150;
        const int row = 212 + (n / 2) * 12;
        c.shadowText(x, row, keys[n].key, kHeading, kTextShadow);
        c.shadowText(x + Canvas::textWidth(keys[n].key) + 8, row, keys[n].word, kText, kTextShadow);
    }
    return c;
}

Canvas highScoreMenu() {
    Canvas c = nightSky(31, 60);
    c.centredText(6, "Dwindle", kTitle, kTitleShadow, 3);
    // The game lists names at x 180 and scores at x 230..318, rows y 65..206.
    paperPanel(c, 172, 56, 148, 158);
    c.shadowText(172 + (148 - Canvas::textWidth("HIGH SCORES")) / 2, 42, "HIGH SCORES", kHeading,
                 kTextShadow);

    // The player on the first of the shrinking platforms, a ghost on the second.
    dwindlingRow(c, 10, 130, 4, 22, 5);
    standOn(c, playerSprite(), 10 + 22, 130);
    standOn(c, enemySprite(1), 10 + 2 * 22 + 6 + 17, 130);
    platform(c, 140, 88, 20, 16);
    c.drawSprite(portalSprite(), 140 - 13, 88 - 45);

    c.fillRect(4, 168, 162, 38, mix(kSkyTop, kTextShadow, 0.5));
    c.frameRect(4, 168, 162, 38, mix(kSkyBottom, kText, 0.3));
    c.shadowText(10, 176, "SPACE / START: play", kText, kTextShadow);
    c.shadowText(10, 192, "ESC / SELECT: quit", kText, kTextShadow);
    return c;
}

Canvas nameEntryScreen() {
    Canvas c = nightSky(47, 60);
    c.centredText(20, "NEW HIGH SCORE", kTitle, kTitleShadow, 2);
    c.centredText(48, "Well played! Enter your name.", kText, kTextShadow);

    // The game writes the letters at y 130, x 60/80/100, with brackets from x 50 to 117.
    paperPanel(c, 40, 120, 86, 30);
    c.shadowText(44, 106, "YOUR NAME", kHeading, kTextShadow);

    const int left = 150;
    c.shadowText(left, 104, "UP / DOWN", kHeading, kTextShadow);
    c.shadowText(left, 114, "change the letter", kText, kTextShadow);
    c.shadowText(left, 130, "LEFT / RIGHT", kHeading, kTextShadow);
    c.shadowText(left, 140, "move", kText, kTextShadow);
    c.shadowText(left, 156, "SPACE or X", kHeading, kTextShadow);
    c.shadowText(left, 166, "confirm", kText, kTextShadow);
    return c;
}
