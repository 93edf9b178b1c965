// The name entry screen through injected input: letters, cursor, confirmation and drawing.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "game/Game.h"
#include "gfx/ImageLoader.h"
#include "shell/NameEntry.h"
#include "support/Input.h"
#include "support/SdlTest.h"
#include "support/WorkFolder.h"

namespace {

class NameEntryTest : public SdlTest {
  protected:
    // Pushes each pass's input in turn, then runs the screen and returns the stored name.
    std::string enter(const std::vector<std::function<void()>>& passes) {
        testWaits().onDelay = [&, next = size_t{1}](Uint32 ms) mutable {
            EXPECT_EQ(80u, ms);
            ++shown;
            if (next < passes.size()) {
                passes[next++]();
            }
        };
        if (!passes.empty()) {
            passes[0]();
        }
        std::memcpy(game.name, "ZZZ", 4);
        game.enterName(screen);
        return std::string(game.name);
    }
    static void times(int count, SDLKey key) {
        for (int i = 0; i < count; ++i) {
            pressKey(key);
        }
    }

    WorkFolder folder;
    Game game;
    int shown = 0;
};

TEST_F(NameEntryTest, ConfirmingAtOnceGivesThreeAs) {
    EXPECT_EQ("AAA", enter({[] { pressKey(SDLK_SPACE); }}));
    EXPECT_EQ(1, shown);
    EXPECT_EQ('\0', game.name[3]);
}

TEST_F(NameEntryTest, ButtonsChooseAndConfirm) {
    // Stick up on the first letter, right, down on the second, X confirms.
    EXPECT_EQ("B@A", enter({[] {
                  pressButton(0);
                  pressButton(6);
                  pressButton(4);
                  pressButton(14);
              }}));
}

TEST_F(NameEntryTest, LettersStopAt0And128) {
    // 65 + 70 ups stop at 128; 65 + 70 downs stop at 0, which ends the name there.
    const std::string name = enter({[] { times(70, SDLK_UP); },
                                    [] {
                                        pressKey(SDLK_RIGHT);
                                        times(70, SDLK_DOWN);
                                        pressKey(SDLK_SPACE);
                                    }});
    EXPECT_EQ(std::string(1, static_cast<char>(128)), name);
}

TEST_F(NameEntryTest, ZeroInFirstPlaceGivesAnEmptyName) {
    EXPECT_EQ("", enter({[] { times(65, SDLK_DOWN); }, [] { pressKey(SDLK_SPACE); }}));
    EXPECT_EQ('A', game.name[1]);  // the later letters are still stored
}

TEST_F(NameEntryTest, CursorStopsAtBothEnds) {
    EXPECT_EQ("BAC", enter({[] {
                  pressKey(SDLK_LEFT);
                  pressKey(SDLK_UP);  // still on the first letter
                  times(5, SDLK_RIGHT);
                  times(2, SDLK_UP);  // on the third
                  pressKey(SDLK_SPACE);
              }}));
}

TEST_F(NameEntryTest, ConfirmTakesTheLettersAsTheyStandThen) {
    // An up after the confirmation in the same pass is still applied and drawn, not stored.
    EXPECT_EQ("AAA", enter({[] {
                  pressKey(SDLK_SPACE);
                  pressKey(SDLK_UP);
              }}));
    // A second confirmation in the same pass stores the letters as they stand at it.
    EXPECT_EQ("BAA", enter({[] {
                  pressKey(SDLK_SPACE);
                  pressKey(SDLK_UP);
                  pressKey(SDLK_SPACE);
              }}));
}

TEST_F(NameEntryTest, OtherInputIsIgnored) {
    EXPECT_EQ("AAA", enter({[] {
                                pressKey(SDLK_ESCAPE);
                                pressKey(SDLK_a);
                                pressButton(8);
                                pressButton(9);
                                push(keyUp(SDLK_UP));
                            },
                            [] { pressKey(SDLK_SPACE); }}));
    EXPECT_EQ(2, shown);
}

TEST_F(NameEntryTest, QuitConfirmsAndStaysQueuedForTheMenu) {
    EXPECT_EQ("AB", enter({[] {
                  pressKey(SDLK_RIGHT);
                  pressKey(SDLK_UP);
                  pressKey(SDLK_RIGHT);
                  times(65, SDLK_DOWN);
                  push(quitRequest());
              }}));
    SDL_Event event;
    ASSERT_EQ(1, SDL_PollEvent(&event));
    EXPECT_EQ(SDL_QUIT, event.type);
    EXPECT_EQ(0, SDL_PollEvent(&event));
}

TEST_F(NameEntryTest, DrawsBackgroundLettersAndBrackets) {
    enter({[] {
        pressKey(SDLK_RIGHT);
        pressKey(SDLK_UP);
        pressKey(SDLK_SPACE);
    }});
    // What the last pass should show, drawn here by hand on a copy of the background.
    SDL_Surface* expected = ImageLoader().loadImage("Images/menu2.jpg");
    ASSERT_NE(nullptr, expected);
    Painter painter;
    painter.write(expected, "A", 60, 130);
    painter.write(expected, "B", 80, 130);
    painter.write(expected, "A", 100, 130);
    painter.write(expected, "[", 70, 130);
    painter.write(expected, "]", 90, 130);
    int differences = 0;
    int black = 0;
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 320; ++x) {
            differences += pixelAt(screen, x, y) == pixelAt(expected, x, y) ? 0 : 1;
        }
    }
    for (int y = 130; y < 138; ++y) {
        for (int x = 70; x < 78; ++x) {
            black += pixelAt(screen, x, y) == Rgb{0, 0, 0} ? 1 : 0;
        }
    }
    SDL_FreeSurface(expected);
    EXPECT_EQ(0, differences);
    EXPECT_GT(black, 4);  // the bracket really is there
}

TEST_F(NameEntryTest, WorksWithoutItsBackground) {
    WorkFolder bare(false);
    fill(screen, 10, 20, 30);
    EXPECT_EQ("AAA", enter({[] { pressKey(SDLK_SPACE); }}));
    EXPECT_EQ(asStored(screen, 10, 20, 30), pixelAt(screen, 0, 0));
    EXPECT_EQ(Rgb({0, 0, 0}), pixelAt(screen, 50 + 3, 130 + 1));  // '[' is still drawn
}

}  // namespace
