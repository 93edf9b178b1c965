// The Game record: the whole state of play, its element records and the rule operations.
#pragma once

#include <SDL/SDL.h>

#include <cstdint>

#include "gfx/Painter.h"
#include "sound/Effects.h"

struct Controls;
struct GlyphSheet;
struct PlatformCache;
struct Sounds;

// One platform of the board.
struct Cell {
    int32_t x;       // screen x of the platform's centre
    int32_t y;       // screen y of the platform's centre
    int32_t rx;      // current horizontal radius
    int32_t ry;      // current vertical radius
    int32_t fullRx;  // horizontal radius of a whole platform in this level
    int32_t fullRy;  // vertical radius of a whole platform in this level
    bool present;    // drawn, and can carry the player, an enemy or a pickup
    int32_t timer;   // while absent: shrink ticks it still stays away
};

// One pickup.
struct Bonus {
    int32_t col;
    int32_t row;
    bool visible;   // lies on the board now
    bool enabled;   // takes part in the current level
    int32_t timer;  // frames before a hidden pickup is placed again
    int32_t kind;   // 0 points, 1 penalty, 2 extra life, 3 enemy recall
};

// One chaser.
struct Enemy {
    int32_t col;
    int32_t row;
    bool visible;   // on the board: drawn, and catches the player
    bool enabled;   // takes part in the current level
    int32_t timer;  // frames a hidden enemy still waits before it enters at the portal
};

constexpr int kBoardRows = 30;
constexpr int kBoardCols = 20;
constexpr int kBonusCount = 15;
constexpr int kEnemyCount = 3;

enum BonusKind : int32_t { kPointsBonus = 0, kPenaltyBonus = 1, kLifeBonus = 2, kRecallBonus = 3 };

class Game {
  public:
    Game();

    // Level setup: builds the board, pickups and enemies of a level; a level outside
    // 1 to 15 ends the game.
    void setupLevel(int32_t newLevel);
    // Moves the player one cell along 'X' (columns) or 'Y' (rows), staying inside the grid; a
    // move that reaches another cell cues a hop.
    void movePlayer(char axis, bool forward);
    // One frame of play: rules and drawing of platforms, pickups, portal, player and
    // enemies, the flip, then the fall, capture and portal checks. Platforms are blitted from
    // `platforms` where it holds their size; without it they are drawn with SDL_gfx. The
    // effects the frame cues start from `sounds` before any pause, the rest at its end;
    // without sounds they stay in `cues`.
    void updateFrame(SDL_Surface* screen, int frameCounter, SDL_Surface* playerPicture,
                     SDL_Surface* portalPicture, SDL_Surface* pointsPicture,
                     SDL_Surface* penaltyPicture, SDL_Surface* lifePicture,
                     SDL_Surface* recallPicture, SDL_Surface* enemy1Picture,
                     SDL_Surface* enemy2Picture, SDL_Surface* enemy3Picture,
                     const PlatformCache* platforms = nullptr, const Sounds* sounds = nullptr);
    // The enemies' movement, on enemy ticks only.
    void stepEnemies(int frameCounter);
    // Level, lives and score at the top left of the screen; letters from `glyphs` as
    // Painter::write takes them.
    void drawHud(SDL_Surface* screen, const GlyphSheet* glyphs = nullptr);
    // Blocks until start (true: Space or START) or leave (false: Escape, SELECT or a quit
    // request); the sound keys set `sounds` meanwhile.
    bool waitForStart(Controls& controls, Sounds* sounds = nullptr);
    // The name entry screen on `background`; leaves the chosen name in `name`. Each change and
    // the confirmation sound from `sounds`, which the sound keys set.
    void enterName(Controls& controls, SDL_Surface* screen, SDL_Surface* background,
                   const GlyphSheet* glyphs = nullptr, Sounds* sounds = nullptr);

    Cell& cell(int col, int row) { return cells[row][col]; }
    const Cell& cell(int col, int row) const { return cells[row][col]; }
    // The portal is on the top-right cell of the grid, the start on the bottom-left one.
    int32_t portalCol() const { return cols - 1; }
    int32_t portalRow() const { return 0; }
    Cell& portalCell() { return cell(portalCol(), portalRow()); }
    const Cell& portalCell() const { return cell(portalCol(), portalRow()); }
    bool isPortalCell(int col, int row) const { return col == portalCol() && row == portalRow(); }
    Cell& startCell() { return cell(0, rows - 1); }

    int32_t level;
    int32_t playerCol;
    int32_t playerRow;
    int32_t cols;
    int32_t rows;
    int32_t shrinkStep;
    int32_t originX;
    int32_t originY;
    int32_t spacingX;
    int32_t spacingY;
    bool playing;
    int32_t lives;
    int32_t score;
    char name[4];
    Cell cells[kBoardRows][kBoardCols];
    Bonus bonuses[kBonusCount];
    Enemy enemies[kEnemyCount];
    Painter painter;
    // What the rules have cued since the shell last played it.
    Cues cues;
};
