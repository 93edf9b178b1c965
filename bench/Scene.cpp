// The measured scenes: SDL and the pictures, each band's full board, its play pass and floors.
#include "Scene.h"

#include <SDL/SDL_gfxPrimitives.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "game/Rules.h"
#include "platform/Random.h"
#include "shell/PlayPass.h"

namespace {

Session* current = nullptr;

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "dwindle_bench: %s\n", what);
    std::exit(1);
}

// Pickup records each band plays at its busiest level, and its enemies.
int bonusesOf(int level) {
    return level <= 5 ? 5 : level <= 10 ? 8 : kBonusesInPlay;
}
int enemiesOf(int level) {
    return level <= 5 ? 0 : level <= 10 ? 1 : 2;
}

void makeFullBoard(Game& game, int level) {
    seedRandom(1);
    game.setupLevel(level);
    game.playing = true;
    for (int c = 0; c < game.cols; ++c) {
        for (int r = 0; r < game.rows; ++r) {
            Cell& cell = game.cell(c, r);
            // The start and portal cells keep the size the level gives them.
            if (!game.isPortalCell(c, r) && !(c == 0 && r == game.rows - 1)) {
                cell.rx = cell.fullRx;
                cell.ry = cell.fullRy;
            }
            cell.present = true;
            cell.timer = 0;
        }
    }
    // Every record gets a cell of its own off the player's and the portal's, so none is
    // placed afresh (a random draw) or collected; the first band only has points.
    int next = 0;
    for (int i = 0; i < kBonusesInPlay; ++i) {
        Bonus& bonus = game.bonuses[i];
        int col, row;
        do {
            col = next % game.cols;
            row = next / game.cols % game.rows;
            ++next;
        } while (game.isPortalCell(col, row) || (col == game.playerCol && row == game.playerRow));
        bonus.col = col;
        bonus.row = row;
        bonus.visible = true;
        bonus.timer = 0;
        bonus.enabled = i < bonusesOf(level);
        if (level <= 5) {
            bonus.kind = kPointsBonus;
        }
    }
    for (int i = 0; i < kEnemyCount; ++i) {
        Enemy& enemy = game.enemies[i];
        enemy.enabled = i < enemiesOf(level);
        enemy.visible = enemy.enabled;
        enemy.col = game.cols - 1 - i;
        enemy.row = 0;
        enemy.timer = 0;
    }
}

FloorDrawing floorOf(const Game& board, int frame, const Pictures& p) {
    FloorDrawing floor;
    Game after = board;
    floor.platforms = isShrinkTick(frame) ? cyclePlatforms(after) : presentPlatforms(after);
    for (int i = 0; i < floor.platforms.count; ++i) {
        const PlatformDrawing::Ellipse& e = floor.platforms.ellipses[i];
        SDL_Surface* picture = cachedPlatform(p.platforms, e.rx, e.ry);
        if (picture == nullptr) {
            fail("a platform of the full board is missing from the cache");
        }
        floor.platformPictures[i] = {picture, static_cast<Sint16>(e.x - e.rx),
                                     static_cast<Sint16>(e.y - e.ry)};
    }
    const struct {
        const char* label;
        int32_t value;
        Sint16 labelX, valueX, y;
    } hud[] = {{"Level : ", board.level, 20, 80, 10},
               {"Lives : ", board.lives, 125, 195, 10},
               {"Score : ", board.score, 20, 80, 20}};
    int t = 0;
    for (const auto& line : hud) {
        FloorDrawing::Text& label = floor.texts[t++];
        std::snprintf(label.text, sizeof label.text, "%s", line.label);
        label.x = line.labelX;
        label.y = line.y;
        FloorDrawing::Text& value = floor.texts[t++];
        std::snprintf(value.text, sizeof value.text, "%d", static_cast<int>(line.value));
        value.x = line.valueX;
        value.y = line.y;
    }
    for (const FloorDrawing::Text& text : floor.texts) {
        for (int i = 0; text.text[i] != '\0'; ++i) {
            floor.letters[floor.letterCount++] = {
                p.glyphs.glyphs[static_cast<unsigned char>(text.text[i])],
                static_cast<Sint16>(text.x + 8 * i), text.y};
        }
    }
    auto sprite = [&floor](SDL_Surface* picture, int x, int y) {
        floor.sprites[floor.spriteCount++] = {picture, static_cast<Sint16>(x),
                                              static_cast<Sint16>(y)};
    };
    for (int i = 0; i < kBonusesInPlay; ++i) {
        const Bonus& bonus = board.bonuses[i];
        if (bonus.enabled && bonus.visible) {
            sprite(p.bonus[bonus.kind], figureX(board, bonus.col, 8),
                   figureY(board, bonus.row, 15));
        }
    }
    const Cell& portal = board.portalCell();
    sprite(p.portal, portal.x - 13, portal.y - 45);
    sprite(p.player, figureX(board, board.playerCol, 5), figureY(board, board.playerRow, 15));
    for (int i = 0; i < kEnemyCount; ++i) {
        const Enemy& enemy = board.enemies[i];
        if (enemy.enabled && enemy.visible) {
            sprite(p.enemy[i], figureX(board, enemy.col, 5), figureY(board, enemy.row, 15));
        }
    }
    return floor;
}

std::size_t screenBytes(const SDL_Surface* screen) {
    return static_cast<std::size_t>(screen->pitch) * screen->h;
}

}  // namespace

Session& session() {
    if (current != nullptr) {
        return *current;
    }
    current = new Session;
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK) < 0) {
        fail(SDL_GetError());
    }
    current->screen = SDL_SetVideoMode(320, 240, 16, SDL_SWSURFACE);
    if (current->screen == nullptr) {
        fail(SDL_GetError());
    }
    // The game loads its pictures from Images/ below its working folder.
    if (chdir(DWINDLE_IMAGES_DIR "/..") != 0 || !loadPictures(current->pictures)) {
        fail("cannot load the pictures of " DWINDLE_IMAGES_DIR);
    }
    openSounds(current->sounds);
    return *current;
}

void endSession() {
    if (current == nullptr) {
        return;
    }
    freePictures(current->pictures);
    closeSounds(current->sounds);
    SDL_Quit();
    delete current;
    current = nullptr;
}

const char* bandName(int level) {
    return level <= 5 ? "5x4" : level <= 10 ? "6x5" : "8x6";
}

Scene::Scene(int level) {
    const Session& s = session();
    makeFullBoard(saved, level);
    // The floors must draw exactly what the pass draws, or the comparison means nothing.
    std::vector<Uint8> passPixels(screenBytes(s.screen));
    for (int frame : {kTickFrame, kPlainFrame}) {
        floors[floorIndex(frame)] = floorOf(saved, frame, s.pictures);
        restore();
        playPass(frame);
        checkSteady(*this, level);
        std::memcpy(passPixels.data(), s.screen->pixels, passPixels.size());
        for (Floor kind : {Floor::DirectCalls, Floor::Blits}) {
            floorPass(frame, kind);
            if (std::memcmp(passPixels.data(), s.screen->pixels, passPixels.size()) != 0) {
                fail("a floor draws other pixels than the play pass");
            }
        }
    }
    restore();
}

void Scene::playPass(int frame) {
    const Session& s = session();
    const Pictures& p = s.pictures;
    drawPicture(game.painter, p.background, s.screen, 0, 0);
    ::playPass(game, s.screen, p, frame, &s.sounds);
}

void Scene::floorPass(int frame, Floor kind) const {
    const Session& s = session();
    SDL_Surface* screen = s.screen;
    const FloorDrawing& floor = floors[floorIndex(frame)];
    SDL_Rect at{0, 0, 0, 0};
    SDL_BlitSurface(s.pictures.background, nullptr, screen, &at);
    if (kind == Floor::Blits) {
        for (int i = 0; i < floor.letterCount; ++i) {
            const FloorDrawing::Sprite& letter = floor.letters[i];
            at = SDL_Rect{letter.x, letter.y, 0, 0};
            SDL_BlitSurface(letter.picture, nullptr, screen, &at);
        }
    } else {
        for (const FloorDrawing::Text& text : floor.texts) {
            stringRGBA(screen, text.x, text.y, text.text, 0, 0, 0, 255);
        }
    }
    for (int i = 0; i < floor.platforms.count; ++i) {
        if (kind == Floor::Blits) {
            const FloorDrawing::Sprite& platform = floor.platformPictures[i];
            at = SDL_Rect{platform.x, platform.y, 0, 0};
            SDL_BlitSurface(platform.picture, nullptr, screen, &at);
            continue;
        }
        const PlatformDrawing::Ellipse& e = floor.platforms.ellipses[i];
        const Sint16 x = static_cast<Sint16>(e.x), y = static_cast<Sint16>(e.y);
        const Sint16 rx = static_cast<Sint16>(e.rx), ry = static_cast<Sint16>(e.ry);
        filledEllipseRGBA(screen, x, y, rx, ry, 200, 115, 30, 255);
        ellipseRGBA(screen, x, y, rx, ry, 0, 0, 0, 255);
    }
    for (int i = 0; i < floor.spriteCount; ++i) {
        const FloorDrawing::Sprite& sprite = floor.sprites[i];
        at = SDL_Rect{sprite.x, sprite.y, 0, 0};
        SDL_BlitSurface(sprite.picture, nullptr, screen, &at);
    }
    SDL_Flip(screen);
}

void checkSteady(const Scene& scene, int level) {
    const Game& g = scene.game;
    bool steady = g.playing && g.level == level && g.lives == 3 && g.score == 0 &&
                  g.playerCol == 0 && g.playerRow == g.rows - 1;
    for (int c = 0; c < g.cols; ++c) {
        for (int r = 0; r < g.rows; ++r) {
            steady = steady && g.cell(c, r).present;
        }
    }
    for (int i = 0; i < kBonusesInPlay; ++i) {
        steady = steady && g.bonuses[i].visible;
    }
    for (const Enemy& enemy : g.enemies) {
        steady = steady && enemy.visible == enemy.enabled;
    }
    if (!steady) {
        fail("the play pass left the full board: a fall, capture, collection or portal");
    }
}
