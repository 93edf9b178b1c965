// Helpers for the rules tests: a quiet board to build a situation on, frames and records.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "game/Game.h"

// A game in play on `level`, the player at (col, row), with every platform whole (timer 0) and
// every pickup and enemy out of play. The pickups wait hidden at (0, 0) with a wait that never
// runs out.
inline Game quietGame(int level, int col, int row) {
    Game game;
    game.setupLevel(level);
    for (int i = 0; i < game.cols * game.rows; ++i) {
        Cell& cell = game.cell(i / game.rows, i % game.rows);
        cell = Cell{cell.x, cell.y, cell.fullRx, cell.fullRy, cell.fullRx, cell.fullRy, true, 0};
    }
    std::fill(game.bonuses, game.bonuses + kBonusCount, Bonus{0, 0, false, false, 1 << 20, 0});
    std::fill(game.enemies, game.enemies + kEnemyCount, Enemy{0, 0, false, false, 0});
    game.playing = true;
    game.playerCol = col;
    game.playerRow = row;
    return game;
}

// Level, lives, score, the player's cell, playing, and whether pickup record 0 is in play (a
// quiet level has none, so it shows that a level was set up).
inline std::vector<int> state(const Game& g) {
    return {g.level, g.lives, g.score, g.playerCol, g.playerRow, g.playing, g.bonuses[0].enabled};
}

// One frame with the pictures of player, portal, the four pickup kinds and the three enemies.
inline void runFrame(Game& game, SDL_Surface* screen, int frameCounter,
                     SDL_Surface* const (&p)[9] = {}) {
    game.updateFrame(screen, frameCounter, p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], p[8]);
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
