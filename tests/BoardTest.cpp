// Tests of the platform cycle: shrink ticks, vanishing and return, the portal cell, drawing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>

#include "RulesTestHelpers.h"
#include "game/Board.h"
#include "game/Game.h"
#include "support/SdlTest.h"

namespace {

class BoardTest : public SdlTest {
  protected:
    // Paints the background, then runs one frame.
    void frame(Game& game, int frameCounter) {
        fill(screen, 0, 0, 255);
        runFrame(game, screen, frameCounter);
    }
    Rgb background() { return asStored(screen, 0, 0, 255); }
    Rgb platform() { return asStored(screen, 200, 115, 30); }
};

// --- When platforms shrink ----------------------------------------------------------------

struct TickCase {
    int frameCounter;
    bool tick;
};

std::ostream& operator<<(std::ostream& out, const TickCase& c) {
    return out << "frame " << c.frameCounter;
}

class BoardTickTest : public BoardTest, public ::testing::WithParamInterface<TickCase> {};

TEST_P(BoardTickTest, PlatformsShrinkOnlyOnMultiplesOfThirteen) {
    Game game;
    quietLevel(game, 1);
    game.cell(3, 1).present = false;
    game.cell(3, 1).timer = 4;
    frame(game, GetParam().frameCounter);
    const bool tick = GetParam().tick;
    EXPECT_EQ(tick ? 26 : 28, game.cell(2, 1).rx);
    EXPECT_EQ(tick ? 22 : 24, game.cell(2, 1).ry);
    EXPECT_FALSE(game.cell(3, 1).present);
    EXPECT_EQ(tick ? 3 : 4, game.cell(3, 1).timer);
}

INSTANTIATE_TEST_SUITE_P(Frames, BoardTickTest,
                         ::testing::Values(TickCase{0, true}, TickCase{13, true},
                                           TickCase{26, true}, TickCase{9997, true},
                                           TickCase{1, false}, TickCase{12, false},
                                           TickCase{14, false}, TickCase{9998, false},
                                           TickCase{10000, false}));

TEST_F(BoardTest, TickAtZeroFollowsTheTickAt9997AcrossTheWrap) {
    Game game;
    quietLevel(game, 1);
    const int expectedRx[] = {26, 26, 26, 26, 24};
    const int frames[] = {9997, 9998, 9999, 10000, 0};
    for (int i = 0; i < 5; ++i) {
        frame(game, frames[i]);
        EXPECT_EQ(expectedRx[i], game.cell(1, 1).rx) << "frame " << frames[i];
    }
}

// --- A platform's life --------------------------------------------------------------------

struct LifeCase {
    int level;
    int vanishingTick;
};

std::ostream& operator<<(std::ostream& out, const LifeCase& c) {
    return out << "level " << c.level;
}

class BoardLifeTest : public ::testing::TestWithParam<LifeCase> {};

TEST_P(BoardLifeTest, WholePlatformVanishesAtTheBandsTick) {
    Game game;
    quietLevel(game, GetParam().level);
    const Cell& cell = game.cell(1, 1);
    const int full = cell.fullRy;
    for (int tick = 1; tick < GetParam().vanishingTick; ++tick) {
        cyclePlatforms(game);
        ASSERT_TRUE(cell.present) << "tick " << tick;
        EXPECT_EQ(full - tick * game.shrinkStep, cell.ry);
        EXPECT_EQ(cell.fullRx - tick * game.shrinkStep, cell.rx);
    }
    cyclePlatforms(game);
    EXPECT_FALSE(cell.present);
}

INSTANTIATE_TEST_SUITE_P(EachBand, BoardLifeTest,
                         ::testing::Values(LifeCase{1, 11}, LifeCase{5, 11}, LifeCase{6, 17},
                                           LifeCase{10, 17}, LifeCase{11, 13}, LifeCase{15, 13}));

struct WaitCase {
    int level;
    int waits;  // a vanishing platform stays away rand() % waits ticks
};

std::ostream& operator<<(std::ostream& out, const WaitCase& c) {
    return out << "level " << c.level;
}

class BoardReturnTest : public ::testing::TestWithParam<WaitCase> {};

TEST_P(BoardReturnTest, VanishedPlatformReturnsWholeAfterItsWaitPlusOneTicks) {
    int differentDraws = 0;
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(seed);
        Game game;
        quietLevel(game, GetParam().level);
        // Two thin platforms; column 0 is visited before column 1, so (0, 2) draws first.
        game.cell(0, 2).ry = 3;
        game.cell(1, 0).ry = 3;
        std::srand(seed);
        const int first = std::rand() % GetParam().waits;
        const int second = std::rand() % GetParam().waits;
        differentDraws += first != second;

        std::srand(seed);
        cyclePlatforms(game);
        Cell& cell = game.cell(0, 2);
        ASSERT_FALSE(cell.present);
        EXPECT_EQ(first, cell.timer);
        EXPECT_EQ(second, game.cell(1, 0).timer);
        for (int tick = 1; tick <= first; ++tick) {
            cyclePlatforms(game);
            EXPECT_FALSE(cell.present) << "tick " << tick;
        }
        cyclePlatforms(game);
        EXPECT_TRUE(cell.present);
        EXPECT_EQ(cell.fullRx, cell.rx);
        EXPECT_EQ(cell.fullRy, cell.ry);
    }
    EXPECT_GT(differentDraws, 0);
}

INSTANTIATE_TEST_SUITE_P(EachBand, BoardReturnTest,
                         ::testing::Values(WaitCase{3, 10}, WaitCase{8, 12}, WaitCase{13, 14}));

TEST_F(BoardTest, PlatformIsNotDrawnFromItsVanishingFrameToItsReturningFrame) {
    for (unsigned seed : {2u, 9u}) {
        SCOPED_TRACE(seed);
        Game game;
        quietLevel(game, 6);
        Cell& cell = game.cell(2, 2);  // centre (131, 135), alone there
        cell.rx = 10;
        cell.ry = 3;
        const int wait = firstDraw(seed, 12);
        std::srand(seed);

        frame(game, 12);
        EXPECT_EQ(platform(), pixelAt(screen, 131, 135));
        const int returning = 13 * (wait + 2);
        for (int f = 13; f <= returning; ++f) {
            frame(game, f);
            ASSERT_EQ(background(), pixelAt(screen, 131, 135)) << "frame " << f;
        }
        EXPECT_TRUE(cell.present);
        frame(game, returning + 1);
        EXPECT_EQ(platform(), pixelAt(screen, 131, 135));
        EXPECT_EQ(platform(), pixelAt(screen, 131 + 20, 135));  // back at full size
    }
}

// --- The portal cell ----------------------------------------------------------------------

class BoardPortalTest : public ::testing::TestWithParam<int> {};

TEST_P(BoardPortalTest, PortalCellNeverShrinks) {
    Game game;
    quietLevel(game, GetParam());
    for (int tick = 1; tick <= 40; ++tick) {
        cyclePlatforms(game);
        ASSERT_TRUE(game.portalCell().present) << tick;
        ASSERT_EQ(game.portalCell().fullRx, game.portalCell().rx) << tick;
        ASSERT_EQ(game.portalCell().fullRy, game.portalCell().ry) << tick;
    }
}

INSTANTIATE_TEST_SUITE_P(EachBand, BoardPortalTest, ::testing::Values(1, 6, 11));

TEST_F(BoardTest, PortalCellOfTheMiddleBandIsDrawnLargeUntilTheFirstTick) {
    Game game;
    quietLevel(game, 6);
    Cell& portal = game.portalCell();  // centre (290, 55)
    portal.rx = 28;                    // as level setup leaves it
    portal.ry = 24;
    for (int f : {1, 13}) {
        frame(game, f);
        EXPECT_EQ(platform(), pixelAt(screen, 290 + 27, 55)) << "frame " << f;
    }
    frame(game, 14);
    EXPECT_EQ(background(), pixelAt(screen, 290 + 27, 55));
    EXPECT_EQ(platform(), pixelAt(screen, 290 + 22, 55));
    EXPECT_EQ(23, portal.rx);
    EXPECT_EQ(19, portal.ry);
}

// --- What a platform looks like -----------------------------------------------------------

TEST_F(BoardTest, PlatformIsAnOrangeDiscWithABlackRim) {
    Game game;
    quietLevel(game, 1);  // cell (2, 2): centre (162, 165), radii 28 x 24
    frame(game, 1);
    EXPECT_EQ(platform(), pixelAt(screen, 162, 165));
    EXPECT_EQ(platform(), pixelAt(screen, 162 + 27, 165));
    EXPECT_EQ(Rgb({0, 0, 0}), pixelAt(screen, 162 + 28, 165));
    EXPECT_EQ(Rgb({0, 0, 0}), pixelAt(screen, 162, 165 - 24));
    EXPECT_EQ(background(), pixelAt(screen, 162 + 30, 165));

    game.cell(2, 2).present = false;
    frame(game, 1);
    EXPECT_EQ(background(), pixelAt(screen, 162, 165));
}

}  // namespace
