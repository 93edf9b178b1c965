// Helpers for the rules tests: a quiet board to build a situation on, frames and records.
#pragma once

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <tuple>
#include <utility>
#include <vector>

#include "game/Game.h"

// Sets up `level`, makes every platform whole (timer 0) and takes every pickup and enemy out
// of play. The pickups wait hidden at (0, 0) with a wait that never runs out.
inline void quietLevel(Game& game, int level) {
    game.setupLevel(level);
    for (int c = 0; c < game.cols; ++c) {
        for (int r = 0; r < game.rows; ++r) {
            Cell& cell = game.cell(c, r);
            cell =
                Cell{cell.x, cell.y, cell.fullRx, cell.fullRy, cell.fullRx, cell.fullRy, true, 0};
        }
    }
    for (Bonus& bonus : game.bonuses) {
        bonus = Bonus{0, 0, false, false, 1 << 20, kPointsBonus};
    }
    for (Enemy& enemy : game.enemies) {
        enemy = Enemy{0, 0, false, false, 0};
    }
}

// A new game in play on a quiet `level`, the player at (col, row).
inline Game quietGame(int level, int col, int row) {
    Game game;
    quietLevel(game, level);
    game.playing = true;
    game.playerCol = col;
    game.playerRow = row;
    return game;
}

// Level, lives, score, player column and row, and playing: what most rule tests look at.
inline std::vector<int> state(const Game& g) {
    return {g.level, g.lives, g.score, g.playerCol, g.playerRow, g.playing};
}

// Pictures for player, portal, the four pickup kinds and the three enemies.
struct FramePictures {
    SDL_Surface* player = nullptr;
    SDL_Surface* portal = nullptr;
    SDL_Surface* bonus[4] = {};
    SDL_Surface* enemy[3] = {};
};

inline void runFrame(Game& game, SDL_Surface* screen, int frameCounter,
                     const FramePictures& p = FramePictures{}) {
    game.updateFrame(screen, frameCounter, p.player, p.portal, p.bonus[0], p.bonus[1], p.bonus[2],
                     p.bonus[3], p.enemy[0], p.enemy[1], p.enemy[2]);
}

// A w x h picture of one colour in the screen's format; the caller frees it.
inline SDL_Surface* solidPicture(SDL_Surface* screen, int w, int h, int r, int g, int b) {
    const SDL_PixelFormat* f = screen->format;
    SDL_Surface* picture = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, f->BitsPerPixel, f->Rmask,
                                                f->Gmask, f->Bmask, f->Amask);
    SDL_FillRect(picture, nullptr, SDL_MapRGB(picture->format, r, g, b));
    return picture;
}

// The first `rand() % n` after srand(seed).
inline int firstDraw(unsigned seed, int n) {
    std::srand(seed);
    return std::rand() % n;
}

// Whole-record comparisons and printers, so a test states a record in one line.
inline auto fields(const Cell& c) {
    return std::make_tuple(c.x, c.y, c.rx, c.ry, c.fullRx, c.fullRy, c.present, c.timer);
}
inline auto fields(const Bonus& b) {
    return std::make_tuple(b.col, b.row, b.visible, b.enabled, b.timer, b.kind);
}
inline auto fields(const Enemy& e) {
    return std::make_tuple(e.col, e.row, e.visible, e.enabled, e.timer);
}
template <class T, class = decltype(fields(std::declval<T>()))>
bool operator==(const T& a, const T& b) {
    return fields(a) == fields(b);
}
template <class T, class = decltype(fields(std::declval<T>()))>
std::ostream& operator<<(std::ostream& out, const T& record) {
    return out << ::testing::PrintToString(fields(record));
}
