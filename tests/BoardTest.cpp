// Tests of the platform cycle: shrink ticks, vanishing and return, the portal cell, drawing.
#include <gtest/gtest.h>

#include "RulesTestHelpers.h"
#include "game/Board.h"
#include "support/SdlTest.h"

namespace {

class BoardTest : public SdlTest {
  protected:
    void frame(Game& game, int frameCounter) {
        fill(screen, 0, 0, 255);
        runFrame(game, screen, frameCounter);
    }
    Rgb at(int x, int y) { return pixelAt(screen, x, y); }
    Rgb background() { return asStored(screen, 0, 0, 255); }
    Rgb platform() { return asStored(screen, 200, 115, 30); }
};

TEST_F(BoardTest, PlatformsShrinkOnMultiplesOfThirteenAndAcrossTheWrap) {
    Game game;
    quietLevel(game, 1);
    game.cell(3, 1).present = false;
    game.cell(3, 1).timer = 10;
    const int steps[][3] = {{1, 28, 10},   {12, 28, 10},  {13, 26, 9},   {14, 26, 9},
                            {9997, 24, 8}, {9998, 24, 8}, {9999, 24, 8}, {10000, 24, 8},
                            {0, 22, 7}};  // frame, radius of a whole platform, timer of a gap
    for (const auto& [f, rx, timer] : steps) {
        frame(game, f);
        EXPECT_EQ((std::vector<int>{rx, rx - 4, timer}),
                  (std::vector<int>{game.cell(2, 1).rx, game.cell(2, 1).ry, game.cell(3, 1).timer}))
            << "frame " << f;
    }
}

TEST(BoardCycleTest, PlatformVanishesAtTheBandsTickAndReturnsWholeAfterItsWaitPlusOne) {
    // Level, the tick at which a whole platform vanishes, n: it stays away rand() % n ticks.
    const int bands[][3] = {{1, 11, 10},  {5, 11, 10},  {6, 17, 12},
                            {10, 17, 12}, {11, 13, 14}, {15, 13, 14}};
    for (const auto& [level, vanishing, waits] : bands) {
        for (unsigned seed = 1; seed <= 12; ++seed) {
            SCOPED_TRACE(::testing::Message() << "level " << level << " seed " << seed);
            Game game;
            quietLevel(game, level);
            for (int c = 0; c < game.cols; ++c) {      // only (0, 2), (1, 0), (1, 1) are there,
                for (int r = 0; r < game.rows; ++r) {  // visited in that order
                    game.cell(c, r).present = (c == 0 && r == 2) || (c == 1 && r <= 1);
                    game.cell(c, r).timer = 1 << 20;
                }
            }
            std::srand(seed);
            const int first = std::rand() % waits;
            const int second = std::rand() % waits;
            std::srand(seed);
            const Cell& cell = game.cell(0, 2);
            for (int tick = 1; tick < vanishing; ++tick) {
                cyclePlatforms(game);
                ASSERT_TRUE(cell.present && game.cell(1, 1).present) << "tick " << tick;
                EXPECT_EQ(cell.fullRy - tick * game.shrinkStep, game.cell(1, 1).ry);
            }
            cyclePlatforms(game);
            EXPECT_FALSE(game.cell(1, 1).present);
            ASSERT_FALSE(cell.present);
            EXPECT_EQ(first, cell.timer);
            EXPECT_EQ(second, game.cell(1, 0).timer);
            for (int tick = 1; tick <= first; ++tick) {
                cyclePlatforms(game);
                ASSERT_FALSE(cell.present) << "tick " << tick;
            }
            cyclePlatforms(game);
            EXPECT_TRUE(cell.present && cell.rx == cell.fullRx && cell.ry == cell.fullRy) << cell;
        }
    }
}

TEST_F(BoardTest, PlatformIsAnOrangeDiscWithABlackRimNotDrawnWhileItIsAGap) {
    Game game;
    quietLevel(game, 6);
    Cell& cell = game.cell(2, 2);  // centre (131, 135), alone there
    cell.rx = 10;
    cell.ry = 3;
    const int returning = 13 * (firstDraw(9, 12) + 2);
    std::srand(9);
    frame(game, 12);  // and cell (0, 0): centre (25, 55), radii 23 x 19
    EXPECT_EQ(
        (std::vector<Rgb>{platform(), platform(), platform(), {0, 0, 0}, {0, 0, 0}, background()}),
        (std::vector<Rgb>{at(131, 135), at(25, 55), at(25 + 22, 55), at(25 + 23, 55),
                          at(25, 55 - 19), at(25 + 25, 55)}));
    for (int f = 13; f <= returning; ++f) {
        frame(game, f);
        ASSERT_EQ(background(), at(131, 135)) << "frame " << f;
    }
    EXPECT_TRUE(cell.present);
    frame(game, returning + 1);
    EXPECT_EQ(platform(), at(131 + 20, 135));  // back at full size
}

TEST_F(BoardTest, PortalCellNeverShrinksAndInTheMiddleBandIsDrawnLargeUntilTheFirstTick) {
    for (int level : {1, 6, 11}) {
        Game game;
        quietLevel(game, level);
        const Cell& portal = game.portalCell();
        for (int tick = 1; tick <= 40; ++tick) {
            cyclePlatforms(game);
            ASSERT_TRUE(portal.present && portal.rx == portal.fullRx && portal.ry == portal.fullRy)
                << "level " << level << " tick " << tick << " " << portal;
        }
    }
    Game game;
    game.setupLevel(6);  // portal centre (290, 55)
    for (int f : {1, 13}) {
        frame(game, f);
        EXPECT_EQ(platform(), at(290 + 27, 55)) << "frame " << f;
    }
    frame(game, 14);
    EXPECT_EQ(background(), at(290 + 27, 55));
    EXPECT_EQ(platform(), at(290 + 22, 55));
    EXPECT_EQ(23, game.portalCell().rx);
    EXPECT_EQ(19, game.portalCell().ry);
}

}  // namespace
