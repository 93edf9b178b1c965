// Sprite art as character grids (one string per pixel row) and the palettes that colour them.
#include "Sprites.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace {
using Grid = std::vector<std::string>;
using Palette = std::map<char, Colour>;

// Every grid uses '.' for the transparent surround and 'k' for a dark outline, which keeps the
// figures readable both on the orange platforms and on the night sky.
constexpr Colour kOutline{24, 20, 36};

Canvas fromGrid(const Grid& rows, Palette palette) {
    palette['.'] = kKey;
    palette['k'] = kOutline;
    const int width = static_cast<int>(rows.at(0).size());
    Canvas canvas(width, static_cast<int>(rows.size()), kKey);
    for (int y = 0; y < canvas.height(); ++y) {
        const std::string& row = rows[y];
        if (static_cast<int>(row.size()) != width) {
            throw std::invalid_argument("sprite row " + std::to_string(y) + " has " +
                                        std::to_string(row.size()) + " pixels, not " +
                                        std::to_string(width));
        }
        for (int x = 0; x < width; ++x) {
            const auto found = palette.find(row[x]);
            if (found == palette.end()) {
                throw std::invalid_argument(std::string("no colour for '") + row[x] + "'");
            }
            // A near-white figure pixel would turn into a hole once the game keys white out.
            if (row[x] != '.' && looksLikeKey(found->second)) {
                throw std::invalid_argument(std::string("'") + row[x] + "' is see-through");
            }
            canvas.set(x, y, found->second);
        }
    }
    return canvas;
}

// The grids stay one row a line, as drawn.
// clang-format off
// The player: a kid in a red cap. Feet on rows 16-17, so they rest on the platform centre.
const Grid kPlayer = {
    "...kkkkk....",
    "..kRRRRhk...",
    ".kRRRRRRRk..",
    ".kkkkkkkkkkk",
    ".kSSSSSSSk..",
    ".kSkSSSkSk..",
    ".kpSSSSSpk..",
    ".kSSSmSSSk..",
    "..kkSSSkk...",
    ".kBBBBBBBk..",
    "kBBBBBBBBBk.",
    "kBkBBBBBkBk.",
    "kSkyyyyykSk.",
    ".kkNNNNNkk..",
    "..kNNkNNk...",
    "..kNNkNNk...",
    ".kOOOkOOOk..",
    ".kkkkkkkkk..",
};
const Palette kPlayerColours = {
    {'R', {220, 40, 40}},   {'h', {250, 140, 130}}, {'S', {245, 195, 150}},
    {'p', {240, 150, 140}}, {'m', {170, 70, 60}},   {'B', {50, 130, 230}},
    {'y', {240, 200, 60}},  {'N', {40, 50, 120}},   {'O', {120, 70, 30}},
};

// Enemy 1: a purple ghost, round-topped with a ragged hem and no legs.
const Grid kGhost = {
    "....kkkk....",
    "..kkPPPPkk..",
    ".kPPppPPPPk.",
    ".kPppPPPPPk.",
    "kPPPPPPPPPPk",
    "kPPEEPPEEPPk",
    "kPPEkPPEkPPk",
    "kPPEkPPEkPPk",
    "kPPPPPPPPPPk",
    "kPPPPkkPPPPk",
    "kPPPkPPkPPPk",
    "kPPPPPPPPPPk",
    "kPPPPPPPPPPk",
    "kPPPPPPPPPPk",
    "kPPPPPPPPPPk",
    "kPPPPPPPPPPk",
    "kPk.kPPk.kPk",
    ".k...kk...k.",
};
const Palette kGhostColours = {
    {'P', {150, 70, 200}},
    {'p', {195, 130, 235}},
    {'E', {235, 235, 245}},
};

// Enemy 2: a green goblin with pointed ears, yellow eyes and bandy legs.
const Grid kGoblin = {
    "............",
    "kk........kk",
    "kGk.kkkk.kGk",
    ".kGkGGGGkGk.",
    ".kGGGGGGGGk.",
    "..kYYGGYYk..",
    "..kYrGGrYk..",
    "..kGGggGGk..",
    "..kGkwwkGk..",
    "...kkkkkk...",
    "..kGLLLLGk..",
    ".kGkLLLLkGk.",
    ".kGkLLLLkGk.",
    ".kgkLLLLkgk.",
    "...kGkkGk...",
    "...kGkkGk...",
    "..kgGkkGgk..",
    "..kkk..kkk..",
};
const Palette kGoblinColours = {
    {'G', {80, 180, 60}}, {'g', {40, 110, 40}},   {'Y', {250, 220, 40}},
    {'r', {200, 30, 30}}, {'w', {235, 230, 200}}, {'L', {130, 80, 40}},
};

// Enemy 3: a steel robot with an antenna, a red visor and a boxy body.
const Grid kRobot = {
    ".....kk.....",
    ".....kk.....",
    "..kkkkkkkk..",
    "..kMMMMMMk..",
    "..kMrrrrMk..",
    "..kMrRRrMk..",
    "..kMMMMMMk..",
    "..kMkkkkMk..",
    "..kkkkkkkk..",
    "kkkDDDDDDkkk",
    "kMkDllllDkMk",
    "kMkDlYYlDkMk",
    "kMkDllllDkMk",
    "kkkDDDDDDkkk",
    "...kMkkMk...",
    "...kMkkMk...",
    "..kkMkkMkk..",
    "..kkkkkkkk..",
};
const Palette kRobotColours = {
    {'M', {160, 170, 185}}, {'D', {90, 100, 115}}, {'l', {200, 210, 220}},
    {'r', {180, 20, 30}},   {'R', {255, 80, 60}},  {'Y', {250, 220, 40}},
};

// The portal: a stone doorway around a swirling glow, standing on a step whose middle row is
// the platform centre.
const Grid kPortal = {
    ".........kkkkkkkk.........",
    ".......kkSsssSSSSkk.......",
    "......kSSsssSSSSsssk......",
    ".....kSSsssSSSSsssSSk.....",
    "....kddddddddddddddddk....",
    "...kSSsssSkkkkkkSSSSssk...",
    "..kSSsssSkvvvvvvkSSsssSk..",
    "..kSsssSkvvvvvvvvksssSSk..",
    ".kSsssSkvvvppppvvvksSSSSk.",
    ".kddddkpvvppppppvvpkddddk.",
    ".kssSSkvvpppvvpppvvkSSssk.",
    "kssSSkpvppvvvvvppvvpksssSk",
    "ksSSSkvvpvvvvvvvppvpkssSSk",
    "kSSSSkvppvvppppvvpvvksSSSk",
    "kddddkvpvvppppppvppvkddddk",
    "kSSdskvpvppmppmpvvpvkSSdsk",
    "kSsdskppvpmppppmpvpvkSSdsk",
    "kssdSkpvvppppppppvppkSsdsk",
    "kssdSkpvpmpmmmppmvvpkssdSk",
    "kddddkpvpppmmmmpmpvpkddddk",
    "kSSSSkvvppmmmmmpppvpksSSSk",
    "kSSSskvpppmmmmcmppvpkSSSSk",
    "kSSsskvpppmmmmmmpmvpkSSSsk",
    "kSssskvppmpmccmmpmvpkSSssk",
    "kddddkvppmmcwwmcpmvpkddddk",
    "kssdSkvppmmcwwmcpmvpkssdSk",
    "ksSdSkvppmmcwwmcpmvpkssdSk",
    "kSSdSkvppmmcwwmcpmvpksSdSk",
    "kSSdskvppmmcwwmcpmvpkSSdSk",
    "kddddkvppmpcmmcmpmvpkddddk",
    "kSssskvppmpccccpmmvpkSSssk",
    "ksssSkvpvmpmcccpmvvpkSsssk",
    "kssSSkvpvmmpccppmvppksssSk",
    "ksSSSkvpvpmppppmmvpvkssSSk",
    "kddddkvpppmmpppmpvpvkddddk",
    "kSSdskvvpvmmmmmmvppvkSSdSk",
    "kSSdskpvpvpmmmmpvpvvkSSdsk",
    "kSsdskpvppvpmmpvvpvpkSSdsk",
    "kssdSkpvvpvvvvvvppvpkSsdsk",
    "kddddkppvppvvvvppvvpkddddk",
    "ksSSSkvpvvpppppppvppkssSSk",
    "kSSSSkvppvvpppppvvpvksSSSk",
    "kkkkkkkkkkkkkkkkkkkkkkkkkk",
    "kSSSSSSSSSSSSSSSSSSSSSSSSk",
    "kssssssssssssssssssssssssk",
    "kssssssssssssssssssssssssk",
    "kddddddddddddddddddddddddk",
    ".kkkkkkkkkkkkkkkkkkkkkkkk.",
};
const Palette kPortalColours = {
    {'S', {185, 175, 160}}, {'s', {150, 140, 130}}, {'d', {100, 90, 85}},   {'v', {60, 20, 110}},
    {'p', {120, 50, 190}},  {'m', {190, 90, 230}},  {'c', {120, 220, 240}}, {'w', {225, 240, 250}},
};

// Points: a blue gem, lit from the top left.
const Grid kGem = {
    ".......kk.......",
    "......kwLk......",
    ".....kwLLck.....",
    "....kwLLLcck....",
    "...kwLLLLccck...",
    "..kwLLLLLcccck..",
    ".kLLLLLLLccccck.",
    "kLLLLLLLLcccccck",
    "kBBBBBBBBbbbbbbk",
    ".kBBBBBBBbbbbbk.",
    "..kBBBBBBbbbbk..",
    "...kBBBBBbbbk...",
    "....kBBBBbbk....",
    ".....kBBBbk.....",
    "......kBbk......",
    ".......kk.......",
};
const Palette kGemColours = {
    {'w', {200, 235, 250}}, {'L', {110, 190, 250}}, {'c', {60, 140, 230}},
    {'B', {30, 90, 200}},   {'b', {20, 60, 150}},
};

// Penalty: a bright orange coin marked with a minus sign; its dark ring keeps it apart from
// the orange platform it lies on.
const Grid kMinusCoin = {
    "................",
    ".....kkkkkk.....",
    "...kkddddddkk...",
    "..kddyyyyyyddk..",
    ".kdyyyOOOOOOodk.",
    ".kdyOOOOOOOOodk.",
    "kdyOOOOOOOOOOodk",
    "kdykkkkkkkkkkodk",
    "kdOkwwwwwwwwkodk",
    "kdOkwwwwwwwwkodk",
    "kdOkkkkkkkkkkodk",
    ".kdOOOOOOOOOodk.",
    ".kdOOOOOOOOoodk.",
    "..kddooooooddk..",
    "...kkddddddkk...",
    ".....kkkkkk.....",
};
const Palette kMinusCoinColours = {
    {'y', {255, 225, 120}}, {'O', {255, 170, 40}},  {'o', {220, 120, 20}},
    {'d', {120, 45, 5}},    {'w', {245, 235, 210}},
};

// Extra life: a red heart.
const Grid kHeart = {
    "................",
    "................",
    "................",
    "..kkkk....kkkk..",
    ".kRRRRk..kRRRRk.",
    "kRwwRRRkkRRRRRRk",
    "kRwRRRRRRRRRRRRk",
    "kRRRRRRRRRRRRRRk",
    "kRRRRRRRRRRRRRrk",
    ".kRRRRRRRRRRRrk.",
    "..kRRRRRRRRRrk..",
    "...kRRRRRRRrk...",
    "....kRRRRRrk....",
    ".....kRRRrk.....",
    "......kRrk......",
    ".......kk.......",
};
const Palette kHeartColours = {
    {'R', {225, 30, 50}},
    {'r', {150, 15, 35}},
    {'w', {250, 170, 180}},
};

// Sends an enemy back: a green arrow that turns round.
const Grid kTurnArrow = {
    "................",
    "....k...........",
    "...kGk..........",
    "..kGGkkkkkkk....",
    ".kGGGGGGGGGGkk..",
    "kGGGGGGGGGGGGGk.",
    ".kGGGGGGGGGGGGGk",
    "..kGGkkkkkkkGGGk",
    "...kGk.....kGGGk",
    "....k......kGGGk",
    "...........kGGGk",
    "....kkkkkkkGGGGk",
    "...kGGGGGGGGGGk.",
    "...kGGGGGGGGGk..",
    "...kGGGGGGGkk...",
    "....kkkkkkk.....",
};
const Palette kTurnArrowColours = {
    {'G', {60, 200, 80}},
};
// clang-format on
}  // namespace

Canvas playerSprite() {
    return fromGrid(kPlayer, kPlayerColours);
}

Canvas enemySprite(int number) {
    switch (number) {
        case 1:
            return fromGrid(kGhost, kGhostColours);
        case 2:
            return fromGrid(kGoblin, kGoblinColours);
        case 3:
            return fromGrid(kRobot, kRobotColours);
        default:
            throw std::out_of_range("there are three enemies");
    }
}

Canvas portalSprite() {
    return fromGrid(kPortal, kPortalColours);
}

Canvas pickupSprite(Pickup kind) {
    switch (kind) {
        case Pickup::Points:
            return fromGrid(kGem, kGemColours);
        case Pickup::Penalty:
            return fromGrid(kMinusCoin, kMinusCoinColours);
        case Pickup::ExtraLife:
            return fromGrid(kHeart, kHeartColours);
        case Pickup::SendBack:
            return fromGrid(kTurnArrow, kTurnArrowColours);
    }
    throw std::out_of_range("unknown pickup");
}

Canvas gameIcon(int side) {
    const Canvas figure = playerSprite();
    const int grid = std::max(figure.width(), figure.height());
    const int drawn = side >= grid ? side / grid * grid : side;
    const int margin = (side - drawn) / 2;
    const int left = (grid - figure.width()) / 2;
    const int top = (grid - figure.height()) / 2;
    Canvas icon(side, side, kKey);
    for (int y = 0; y < drawn; ++y) {
        for (int x = 0; x < drawn; ++x) {
            // Nearest neighbour: every icon pixel takes the colour of the grid cell it falls in.
            icon.set(margin + x, margin + y,
                     figure.at(x * grid / drawn - left, y * grid / drawn - top));
        }
    }
    return icon;
}
