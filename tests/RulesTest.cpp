// Tests of the rules of play, one table per rule: a new game and level setup, the platform
// cycle, pickups, enemy movement, the player's fate, and where one frame draws each figure.
#include "RulesTestHelpers.h"
#include "game/Board.h"
#include "game/Bonuses.h"
#include "game/Rules.h"
#include "support/SdlTest.h"

namespace {

using Pauses = std::vector<int>;
using RulesTest = SdlTest;

// A try at a gap draws its row, column and size, and a wait when the size makes a gap; a
// pickup's place draws column then row, again while that is the portal cell.
struct GapTry {
    int row, col, size, wait = -1;  // -1: no wait drawn
};
struct Place {
    int col, row;
};
// The level's layout after setting it up, with what the earlier game left and the draws made.
struct Layout {
    int level, cols, rows, shrinkStep, originX, originY, spacingX, spacingY, playerCol, playerRow,
        score, lives, draws;
};
auto fields(const Layout& l) {
    return std::make_tuple(l.level, l.cols, l.rows, l.shrinkStep, l.originX, l.originY, l.spacingX,
                           l.spacingY, l.playerCol, l.playerRow, l.score, l.lives, l.draws);
}

// A hand-worked level set up from queued draws over what an earlier game left: every cell,
// pickup and enemy record still holding something.
struct LevelBuilt {
    std::vector<GapTry> tries;
    int moreTries;  // tries of size 9 on (0, 0) that make up the band's count
    std::vector<Place> pickups;
    Layout after;
    std::vector<std::tuple<int, int, Cell>> cells;  // a column, a row and the cell there
    std::vector<Bonus> bonuses;
    std::vector<Enemy> enemies;
};
const Bonus kOld{1, 1, true, true, 9, 3}, kOff{1, 1, true, false, 9, 3};
const Enemy kOldEnemy{2, 1, true, true, 42}, kOffEnemy{2, 1, true, false, 42};
// A pickup placed and waiting to be taken.
Bonus on(int col, int row, int kind) {
    return Bonus{col, row, true, true, 0, kind};
}

void expectBuilt(const LevelBuilt& l) {
    Game game;
    std::fill(&game.cells[0][0], &game.cells[0][0] + kBoardRows * kBoardCols,
              Cell{1, 2, 3, 4, 5, 6, false, 7});
    std::fill(game.bonuses, game.bonuses + kBonusCount, kOld);
    std::fill(game.enemies, game.enemies + kEnemyCount, kOldEnemy);
    game.score = 777;
    game.lives = 0;
    testRandom() = RandomDraws{};
    std::deque<int>& draws = testRandom().queued;
    for (const GapTry& t : l.tries) {
        draws.insert(draws.end(), {t.row, t.col, t.size});
        if (t.wait >= 0) {
            draws.push_back(t.wait);
        }
    }
    for (int i = 0; i < l.moreTries; ++i) {
        draws.insert(draws.end(), {0, 0, 9});
    }
    for (const Place& p : l.pickups) {
        draws.insert(draws.end(), {p.col, p.row});
    }
    game.setupLevel(l.after.level);
    EXPECT_EQ(fields(l.after),
              fields(Layout{game.level, game.cols, game.rows, game.shrinkStep, game.originX,
                            game.originY, game.spacingX, game.spacingY, game.playerCol,
                            game.playerRow, game.score, game.lives, testRandom().count}));
    for (const auto& [col, row, cell] : l.cells) {
        EXPECT_EQ(cell, game.cell(col, row)) << col << ", " << row;
    }
    EXPECT_EQ(l.bonuses, std::vector<Bonus>(game.bonuses, game.bonuses + kBonusCount));
    EXPECT_EQ(l.enemies, std::vector<Enemy>(game.enemies, game.enemies + kEnemyCount));
    game.setupLevel(1);  // a new game
    EXPECT_EQ(std::make_pair(0, 3), std::make_pair(game.score, game.lives));
}

// A gap at (3, 2) (6 % 4, 8 % 5, 23 % 20, 45 % 40) that a later try only resizes; the start
// cell made whole but keeping its gap's wait; sizes 8 and 7 either side of a gap. Pickup 0
// draws the portal cell twice, then (2, 3).
TEST(LevelSetup, GapsAreDrawnResizedAndWaitedOnAndPickupsPlacedOffThePortal) {
    // clang-format off
    expectBuilt({
        .tries = {{6, 8, 23, 45}, {2, 3, 12}, {3, 0, 0, 39}, {1, 1, 8}, {1, 2, 7, 40}},
        .moreTries = 10,
        .pickups = {{4, 0}, {9, 4}, {2, 3}, {0, 3}, {3, 2}, {4, 1}, {0, 0}},
        .after = {.level = 5, .cols = 5, .rows = 4, .shrinkStep = 2, .originX = 32,
                  .originY = 65, .spacingX = 65, .spacingY = 50, .playerCol = 0, .playerRow = 3,
                  .score = 777, .lives = 0, .draws = 62},
        .cells = {{3, 2, {227, 165, 12, 10, 28, 24, false, 5}},
                  {0, 3, {32, 215, 28, 24, 28, 24, true, 39}},
                  {1, 1, {97, 115, 8, 6, 28, 24, true, 0}},
                  {2, 1, {162, 115, 7, 5, 28, 24, false, 0}},
                  {4, 3, {292, 215, 28, 24, 28, 24, true, 0}},
                  {5, 0, {1, 2, 3, 4, 5, 6, false, 7}}},
        .bonuses = {on(2, 3, 0), on(0, 3, 0), on(3, 2, 0), on(4, 1, 0), on(0, 0, 0), kOff, kOff,
                    kOff, kOff, kOff, kOff, kOff, kOff, kOld, kOld},
        .enemies = {kOffEnemy, kOffEnemy, kOffEnemy}});
    // clang-format on
}

// A try of 17 leaves a platform one larger than whole; all thirteen pickups play.
TEST(LevelSetup, TheLastBandPlaysEveryPickupAndTwoEnemies) {
    // clang-format off
    expectBuilt({
        .tries = {{0, 7, 3, 10}, {2, 3, 17}},
        .moreTries = 33,
        .pickups = {{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {0, 2},
                    {1, 2}, {2, 2}, {3, 2}, {4, 2}},
        .after = {.level = 15, .cols = 8, .rows = 6, .shrinkStep = 1, .originX = 15,
                  .originY = 50, .spacingX = 38, .spacingY = 35, .playerCol = 0, .playerRow = 5,
                  .score = 777, .lives = 0, .draws = 132},
        .cells = {{7, 0, {281, 50, 19, 15, 19, 15, true, 10}},
                  {3, 2, {129, 120, 17, 16, 19, 15, true, 0}},
                  {0, 0, {15, 50, 9, 8, 19, 15, true, 0}},
                  {7, 5, {281, 225, 19, 15, 19, 15, true, 0}}},
        .bonuses = {on(0, 1, 0), on(1, 1, 0), on(2, 1, 0), on(3, 1, 0), on(4, 1, 0), on(5, 1, 0),
                    on(6, 1, 1), on(7, 1, 1), on(0, 2, 1), on(1, 2, 1), on(2, 2, 1), on(3, 2, 2),
                    on(4, 2, 3), kOld, kOld},
        .enemies = {{7, 0, true, true, 42}, {7, 0, false, true, 100}, kOffEnemy}});
    // clang-format on
}

TEST_F(RulesTest, PlatformsShrinkOnMultiplesOfThirteenAcrossTheWrap) {
    Game game = quietGame(1, 0, 3);
    // Each step: the frame, and the radius of a once whole platform after it.
    const struct {
        int frame, rx;
    } steps[] = {{1, 28}, {12, 28}, {13, 26}, {9997, 24}, {10000, 24}, {0, 22}};
    for (const auto& [f, rx] : steps) {
        runFrame(game, screen, f);
        EXPECT_EQ(rx, game.cell(2, 1).rx) << "frame " << f;
    }
}

// Per band: the tick at which a whole platform vanishes, a draw and the wait it gives (the
// longest or none at all, draw % 10, 12 and 14 by band): it stays away that many ticks, then
// comes back whole.
TEST(Rules, PlatformVanishesAtTheBandsTickAndReturnsWholeAfterItsWaitPlusOne) {
    const struct {
        int level, vanishing, draw, first;  // `first`: the wait of (0, 2), the first to vanish
    } bands[] = {{1, 11, 19, 9}, {6, 17, 23, 11}, {15, 13, 14, 0}};
    for (const auto& [level, vanishing, draw, first] : bands) {
        Game game = quietGame(level, 0, 0);
        // Only (0, 2), (1, 0), (1, 1) and the portal's platforms are there, visited in this order.
        for (int i = 0; i < (game.cols - 1) * game.rows; ++i) {
            const int c = i / game.rows, r = i % game.rows;
            game.cell(c, r).present = (c == 0 && r == 2) || (c == 1 && r <= 1);
            game.cell(c, r).timer = 1 << 20;
        }
        testRandom() = RandomDraws{{draw, 5}, 0};  // the second for (1, 0): a wait of 5
        const Cell& cell = game.cell(0, 2);
        for (int tick = 1; tick <= vanishing + first + 1; ++tick) {
            cyclePlatforms(game);
            SCOPED_TRACE(::testing::Message() << "level " << level << " tick " << tick);
            ASSERT_EQ(tick < vanishing || tick > vanishing + first, cell.present);
            ASSERT_TRUE(tick >= vanishing ||
                        cell.fullRy - tick * game.shrinkStep == game.cell(1, 1).ry);
            ASSERT_TRUE(tick != vanishing || (cell.timer == first && game.cell(1, 0).timer == 5));
        }
        EXPECT_TRUE(cell.rx == cell.fullRx && cell.ry == cell.fullRy) << cell;
    }
}

// A pickup of each kind on the player's cell, (2, 3), or gone with its platform: the score and
// lives after, and its new wait from the draw 400: % 120, or % 300 for a lost extra life or recall.
TEST(Rules, AppliesTheKindsEffectUnlessItsPlatformIsGoneFirst) {
    // The recall sends the first enabled and visible enemy back to wait at the portal. Gone: the
    // pickup's platform; visible: the pickup on the board.
    const struct {
        const char* name;
        int kind, level, score, lives;
        bool gone, visible;
        int endScore, endLives, wait;
    } cases[] = {
        {"points", kPointsBonus, 15, 10, 3, false, true, 250, 3, 40},
        {"the penalty", kPenaltyBonus, 12, -20, 1, false, true, -370, 1, 40},
        {"a life more", kLifeBonus, 11, 40, 3, false, true, 40, 4, 40},
        {"a hidden life whose platform is gone", kLifeBonus, 11, 0, 3, true, false, 0, 3, 100},
        {"the recall", kRecallBonus, 12, 0, 3, false, true, 0, 3, 40},
    };
    for (const auto& [name, kind, level, score, lives, gone, visible, endScore, endLives, wait] :
         cases) {
        SCOPED_TRACE(name);
        Game game = quietGame(level, 2, 3);  // enemy 0 waits, 1 and 2 are on the board
        game.score = score;
        game.lives = lives;
        game.cell(2, 3).present = !gone;
        const Enemy waiting{4, 4, false, true, 9}, onBoard{4, 4, true, true, 0};
        game.enemies[0] = waiting;
        game.enemies[1] = game.enemies[2] = onBoard;
        game.bonuses[0] = Bonus{2, 3, visible, true, visible ? 0 : 50, kind};
        testRandom() = RandomDraws{{400, 130}, 0};  // the recalled enemy's wait: 130 % 125
        updateBonuses(game);
        const Enemy second = kind == kRecallBonus && !gone ? Enemy{7, 0, false, true, 5} : onBoard;
        EXPECT_EQ(std::make_tuple(Bonus{2, 3, false, true, wait, kind}, endScore, endLives,
                                  std::vector<Enemy>{waiting, second, onBoard}),
                  std::make_tuple(game.bonuses[0], game.score, game.lives,
                                  std::vector<Enemy>(game.enemies, game.enemies + 3)));
    }
}

// Each row: the level and frame counter of one call to stepEnemies; the radius of the
// enemies' own platform at (2, 2) and of its left, right, upper and lower neighbours (0: a
// gap); the player's cell; where the enemies end. Enemy 0 is visible, enemy 1 waits hidden and
// enemy 2 is switched off: all three are stepped alike. Below a level's T (6 up to level 10,
// 2 after) a neighbour blocks a chase; an own radius under T + 2 turns a chase into flight.
TEST(Rules, ChasesOverLargePlatformsFleesSmallOnesOnTheLevelsTicks) {
    const struct {
        const char* name;
        int level, frame, own, left, right, up, down, playerCol, playerRow, col, row;
    } cases[] = {
        {"a chase goes across first, over a radius of T + 1", 6, 13, 20, 7, 20, 20, 20, 0, 0, 1, 2},
        {"an enemy chases from T + 2", 6, 13, 8, 10, 12, 10, 10, 0, 2, 1, 2},
        {"T is 2 from level 11", 11, 8, 4, 10, 12, 10, 10, 0, 2, 1, 2},
        {"a tick every 13 frames up to level 10", 6, 0, 20, 20, 20, 20, 20, 0, 2, 1, 2},
        {"no step between ticks", 10, 10000, 20, 20, 20, 20, 20, 0, 2, 2, 2},
        {"a tick every 8 frames from level 11", 16, 16, 20, 20, 20, 20, 20, 0, 2, 1, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Game game = quietGame(std::clamp(c.level, 6, 15), c.playerCol, c.playerRow);
        game.level = c.level;
        game.cell(2, 2).rx = c.own;
        game.cell(2, 2).present = false;  // its own platform's presence is not looked at
        const int radii[4][3] = {{1, 2, c.left}, {3, 2, c.right}, {2, 1, c.up}, {2, 3, c.down}};
        for (const auto& [col, row, rx] : radii) {
            game.cell(col, row).present = rx > 0;
            game.cell(col, row).rx = rx > 0 ? rx : 30;  // a gap's radius does not count
        }
        game.enemies[0] = Enemy{2, 2, true, true, 0};
        game.enemies[1] = Enemy{2, 2, false, true, 50};
        game.enemies[2] = Enemy{2, 2, true, false, 0};
        game.stepEnemies(c.frame);
        for (const Enemy& e : game.enemies) {
            EXPECT_EQ(std::make_pair(c.col, c.row), std::make_pair(e.col, e.row))
                << "enemy " << (&e - game.enemies);
        }
    }
    // An enemy fleeing from the left column looks no further left, where the board's storage
    // holds the end of the row above: that cell is larger than every neighbour on the board.
    Game edge = quietGame(15, 5, 5);
    edge.cell(0, 2).rx = 2;
    edge.cell(kBoardCols - 1, 1) = Cell{0, 0, 30, 26, 30, 26, true, 0};
    edge.enemies[0] = Enemy{0, 2, true, true, 0};
    edge.stepEnemies(8);
    EXPECT_EQ(std::make_pair(1, 2), std::make_pair(edge.enemies[0].col, edge.enemies[0].row));
}

// Each row: level, lives, score, the player's cell and whether it is a gap, enemy 0; then the
// pauses of one frame and the state after it (see `state`).
TEST_F(RulesTest, FallsCapturesAndThePortalInThatOrder) {
    const struct {
        const char* name;
        int level, lives, score, col, row;
        bool gap;
        Enemy enemy;
        Pauses pauses;
        std::vector<int> after;  // see `state`
        // clang-format off
    } cases[] = {
        {"a fall costs a life and rebuilds the level",
         1, 2, 200, 1, 3, true, {}, {1}, {1, 1, 200, 0, 3, true, true}},
        {"with no life left a fall ends the game at once",
         4, 0, 450, 1, 3, true, {}, {}, {-1, 0, 450, 1, 3, false, false}},
        {"after the last life the portal still runs, from level -1",
         6, 0, 300, 5, 0, false, {5, 0, true, true, 0}, {-1}, {0, 0, 800, 5, 0, false, false}},
        {"the portal: a pause, the next level, then 500 points",
         1, 3, 1000, 4, 0, false, {}, {1}, {2, 3, 1500, 0, 3, true, true}},
        {"the portal of level 15 ends the game",
         15, 3, 1000, 7, 0, false, {}, {15}, {16, 3, 1500, 7, 0, false, false}},
    };
    // clang-format on
    for (const auto& c : cases) {
        const auto& [name, level, lives, score, col, row, gap, enemy, pauses, after] = c;
        SCOPED_TRACE(name);
        Game game = quietGame(level, col, row);
        game.lives = lives;
        game.score = score;
        game.cell(col, row).present = !gap;
        game.enemies[0] = enemy;
        Pauses held;  // the level at each three-second pause
        testWaits().onDelay = [&](Uint32 ms) { held.push_back(ms == 3000 ? game.level : 0); };
        runFrame(game, screen, 1);  // no shrink tick, so that only the fate rules act
        EXPECT_EQ(pauses, held);
        EXPECT_EQ(after, state(game));
    }
}

// One frame, a shrink tick, draws the platforms (not the gaps; the portal's as large as the level
// made it, then it takes the band's size), the pickups left once they are collected, the portal,
// the player, and the enemies once the entering ones are in. An enemy on a gap goes to wait at
// the portal; a capture makes the start platform whole and sends the enemy back.
TEST_F(RulesTest, FrameDrawsPlatformsThenFiguresInTheirOrder) {
    SDL_Surface* p[9];  // player, portal, pickups of kinds 0 to 3, enemies 0 to 2: a colour each
    for (int i = 0; i < 9; ++i) {
        p[i] = solidPicture(i == 1 ? 26 : 12 + 2 * (i == 0), i == 1 ? 46 : 18 + 2 * (i == 0),
                            40 + 20 * i, 250 - 20 * i, 120);
    }
    Game game = quietGame(6, 5, 0);                              // on the portal, (290, 55)
    game.bonuses[0] = Bonus{5, 0, true, true, 0, kPointsBonus};  // under the player: collected
    game.bonuses[1] = Bonus{5, 0, true, false, 0, 1};            // but not if switched off
    game.bonuses[2] = Bonus{1, 1, true, false, 0, 1};            // nor drawn
    game.bonuses[3] = Bonus{3, 1, true, true, 0, 2};             // drawn above (184, 95)
    game.enemies[0] = Enemy{0, 1, false, true, 1};               // enters in the next frame
    game.enemies[1] = Enemy{2, 2, true, true, 0};                // on a gap, (131, 135)
    game.enemies[2] = Enemy{3, 3, false, true, 0};               // enters on the player
    game.cell(2, 2) = Cell{131, 135, 23, 19, 23, 19, false, 9};
    game.startCell() = Cell{25, 215, 4, 3, 23, 19, false, 7};
    game.portalCell() = Cell{290, 55, 28, 24, 23, 19, true, 0};
    testRandom() = RandomDraws{{400, 127, 130}, 0};
    fill(screen, 0, 0, 255);
    runFrame(game, screen, 13, p);
    // Points (a wait of 400 % 120), enemy 1 sent to wait (127 % 125, less this frame's one),
    // then caught: enemy 2 waits 130 % 125.
    const Cell whole{25, 215, 23, 19, 23, 19, true, 0}, portal{290, 55, 23, 19, 23, 19, true, 0};
    EXPECT_EQ(
        std::make_tuple(
            150, 2, whole, portal, 3,
            std::vector<Enemy>{
                {0, 1, false, true, 0}, {5, 0, false, true, 1}, {5, 0, false, true, 5}}),
        std::make_tuple(game.score, game.lives, game.startCell(), game.portalCell(),
                        testRandom().count, std::vector<Enemy>(game.enemies, game.enemies + 3)));
    // Where the enemy, drawn last, leaves the player (14 x 20, the others are 12 x 18) to be
    // seen, the player stands over the portal.
    const Uint32 orange = asStored(screen, 200, 115, 30);
    EXPECT_EQ(
        (std::vector<Uint32>{asStored(screen, 200, 90, 120), asStored(screen, 40, 250, 120),
                             asStored(screen, 60, 230, 120), orange, asStored(screen, 0, 0, 255),
                             asStored(screen, 120, 170, 120), orange, orange, orange, orange}),
        (std::vector<Uint32>{pixelAt(screen, 290, 50), pixelAt(screen, 298, 50),
                             pixelAt(screen, 284, 50), pixelAt(screen, 131, 215),
                             pixelAt(screen, 131, 135), pixelAt(screen, 176, 80),
                             pixelAt(screen, 175, 80), pixelAt(screen, 180, 79),
                             pixelAt(screen, 70, 80), pixelAt(screen, 290 + 27, 55)}));
    std::for_each(p, p + 9, SDL_FreeSurface);
}

}  // namespace
