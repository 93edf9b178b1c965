// Helpers for the rules tests: a quiet board to build a situation on, frames and pictures.
#pragma once

#include <SDL/SDL.h>

#include <cstdlib>
#include <ostream>

#include "game/Game.h"

// Sets up `level`, then makes every platform of its grid whole (its full radii, timer 0) and
// takes every pickup and enemy out of play, so that a test adds only what it looks at. The
// pickups wait hidden at (0, 0) with a wait that never runs out and draw no random number as
// long as platform (0, 0) stays.
inline void quietLevel(Game& game, int level) {
    game.setupLevel(level);
    for (int c = 0; c < game.cols; ++c) {
        for (int r = 0; r < game.rows; ++r) {
            Cell& cell = game.cell(c, r);
            cell.rx = cell.fullRx;
            cell.ry = cell.fullRy;
            cell.present = true;
            cell.timer = 0;
        }
    }
    for (Bonus& bonus : game.bonuses) {
        bonus = Bonus{0, 0, false, false, 1 << 20, kPointsBonus};
    }
    for (Enemy& enemy : game.enemies) {
        enemy = Enemy{0, 0, false, false, 0};
    }
}

// One frame with the given pictures for player, portal, the four pickup kinds, the three enemies.
struct FramePictures {
    SDL_Surface* player = nullptr;
    SDL_Surface* portal = nullptr;
    SDL_Surface* bonus[4] = {nullptr, nullptr, nullptr, nullptr};
    SDL_Surface* enemy[3] = {nullptr, nullptr, nullptr};
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

// Whole-record comparisons, so a test states a record in one line.
inline bool operator==(const Cell& a, const Cell& b) {
    return a.x == b.x && a.y == b.y && a.rx == b.rx && a.ry == b.ry && a.fullRx == b.fullRx &&
           a.fullRy == b.fullRy && a.present == b.present && a.timer == b.timer;
}
inline bool operator==(const Bonus& a, const Bonus& b) {
    return a.col == b.col && a.row == b.row && a.visible == b.visible && a.enabled == b.enabled &&
           a.timer == b.timer && a.kind == b.kind;
}
inline bool operator==(const Enemy& a, const Enemy& b) {
    return a.col == b.col && a.row == b.row && a.visible == b.visible && a.enabled == b.enabled &&
           a.timer == b.timer;
}
inline std::ostream& operator<<(std::ostream& o, const Cell& c) {
    return o << "{at " << c.x << "," << c.y << " r " << c.rx << "x" << c.ry << " full " << c.fullRx
             << "x" << c.fullRy << (c.present ? " present" : " absent") << " timer " << c.timer
             << "}";
}
inline std::ostream& operator<<(std::ostream& o, const Bonus& b) {
    return o << "{" << b.col << "," << b.row << (b.visible ? " visible" : " hidden")
             << (b.enabled ? " on" : " off") << " timer " << b.timer << " kind " << b.kind << "}";
}
inline std::ostream& operator<<(std::ostream& o, const Enemy& e) {
    return o << "{" << e.col << "," << e.row << (e.visible ? " visible" : " hidden")
             << (e.enabled ? " on" : " off") << " timer " << e.timer << "}";
}
