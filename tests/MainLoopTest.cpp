// The main loop driven by injected input: menu and play passes, the frame counter, the name
// entry screen, the score table, and quit requests from every screen; the picture files gone
// once loaded, as when the game is removed while it runs.
#include <gtest/gtest.h>

#include <functional>

#include "RulesTestHelpers.h"
#include "gfx/ImageLoader.h"
#include "shell/MainLoop.h"
#include "support/SdlTest.h"

namespace {

class MainLoopTest : public PicturesTest {
  protected:
    // Runs the loop with a new game and a table of ten scores of 100. The menu's i-th wait
    // pushes menu[i] (Escape, to leave, past its end), the i-th name entry pass ends pushing
    // named[i], a pause pushes paused (see pushInput); each pass ends with pass(i).
    void run(std::vector<std::string> menu, std::function<void(int)> pass,
             std::vector<std::string> named = {}, std::string paused = "") {
        table = parseScores(
            "100\nAL\n100\nBO\n100\nCY\n100\nDI\n100\nED\n100\nFO\n100\nGU\n"
            "100\nHI\n100\nIO\n100\nJO\n");
        std::remove("data.dat");
        std::filesystem::remove("Images");
        game = Game();
        passes = menuWaits = nameEntryPasses = 0;
        testWaits().onEventWait = [&] {
            EXPECT_EQ("1111111111", inked(230, 65, 10, 0, 14)) << "the listing's scores";
            EXPECT_TRUE(shows("menu.png", 4, 168, 162, 38)) << "the menu's prompts";
            pushInput(menuWaits < static_cast<int>(menu.size()) ? menu[menuWaits] : "E");
            ++menuWaits;
        };
        testWaits().onDelay = [&](Uint32 ms) {
            if (ms == 50) {
                pass(passes++);
            } else if (ms == 80) {
                // The first pass draws "[A]A A" from x 50, a character every 10 pixels.
                EXPECT_TRUE(nameEntryPasses > 0 || (inked(50, 130, 7, 10) == "1111010" &&
                                                    shows("menu2.jpg", 150, 104, 150, 72)))
                    << "letters and prompts";
                pushInput(nameEntryPasses < static_cast<int>(named.size()) ? named[nameEntryPasses]
                                                                           : "");
                ++nameEntryPasses;
            } else if (ms == 3000) {
                pushInput(paused);
            }
        };
        runLoop(game, file, screen, pictures, frameCounter);
        testWaits() = WaitHooks{};
    }

    // For each of `count` 8 x 8 character cells from (x, y), each dx and dy from the one before:
    // "1" when it holds any black, as text is written in, else "0".
    std::string inked(int x, int y, int count, int dx, int dy = 0) {
        std::string cells(count, '0');
        for (int i = 0; i < 64 * count; ++i) {
            const int cell = i / 64;
            cells[cell] |= pixelAt(screen, x + dx * cell + i % 8, y + dy * cell + i % 64 / 8) == 0;
        }
        return cells;
    }

    // True when the w x h rectangle at (x, y) shows the picture file's pixels there, but for
    // white ones, which a keyed picture leaves see-through.
    bool shows(const std::string& file, int x, int y, int w, int h) {
        SDL_Surface* picture = ImageLoader().loadImage(DWINDLE_IMAGES_DIR "/" + file);
        const Uint32 white = asStored(picture, 255, 255, 255);
        bool all = true;
        for (int i = 0; i < w * h; ++i) {
            const Uint32 shown = pixelAt(picture, x + i % w, y + i / w);
            all = all && (shown == white || shown == pixelAt(screen, x + i % w, y + i / w));
        }
        SDL_FreeSurface(picture);
        return all;
    }

    Game game;
    ScoreFile file{"data.dat", {}, {}, true};
    ScoreTable& table = file.table;
    int frameCounter = 0, passes = 0, menuWaits = 0, nameEntryPasses = 0;
};

TEST_F(MainLoopTest, MenuStartsLevelOneThenArrowsAndStickMoveAndCountersWrap) {
    // Pass by pass: the input pushed at its end, then where the player stands after the next.
    const std::vector<std::tuple<std::string, int, int>> steps = {
        {"R", 1, 3},     {"U", 1, 2},   {"r", 2, 2},  {"u", 2, 1},    {"l", 1, 1},
        {"d", 1, 2},     {"LLL", 0, 2}, {"DD", 0, 3}, {" 81^", 0, 3}, {"RR", 2, 3},
        {"UUUUD", 2, 1}, {"RRR", 4, 1}, {"9", 4, 1}};
    frameCounter = 9995;
    std::vector<int> counters;
    const auto pass = [&](int pass) {
        counters.push_back(frameCounter);
        if (pass == 0) {
            EXPECT_EQ((std::vector<int>{1, 3, 0, 0, 3, true, true}), state(game));
            game = quietGame(1, 0, 3);
        } else if (pass <= static_cast<int>(steps.size())) {
            const auto& [input, col, row] = steps[pass - 1];
            EXPECT_EQ(std::make_pair(col, row), std::make_pair(game.playerCol, game.playerRow));
        }
        pushInput(pass < static_cast<int>(steps.size()) ? std::get<0>(steps[pass]) : "");
    };
    run({"Rr8"}, pass);  // moves are not read by the menu; START starts
    EXPECT_EQ(std::make_pair(2, 15), std::make_pair(menuWaits, passes));  // menu, play, menu
    EXPECT_EQ((std::vector<int>{9995, 10000, 0, 1, 9}),
              (std::vector<int>{counters[0], counters[5], counters[6], counters[7], frameCounter}));
}

// A game ended with a score: named and filed only above the tenth entry, with the letters
// chosen until a confirmation (up and down change the letter, left and right the cursor; codes
// run from 0 to 128 and a 0 ends the name), or as they stand on a quit request during play or
// name entry, after which the menu leaves without waiting.
TEST_F(MainLoopTest, ScoreAboveTheTenthIsNamedAndFiledEvenOnAQuit) {
    const struct {
        int32_t score;
        const char* end;
        std::vector<std::string> letters;
        const char* name;
        int nameEntryPasses, menuWaits;
        std::string paused = "";  // pushed at a pause, which a fall from the start cell makes
    } cases[] = {{101, "E", {"RU "}, "ABA", 2, 2},
                 {100, "E", {}, nullptr, 0, 2},
                 {500, "Q", {}, "AAA", 1, 1},
                 {-5, "Q", {}, nullptr, 0, 1},
                 {300, "E", {"UXU"}, "BAA", 2, 2},
                 {300, "E", {"UQ"}, "BAA", 2, 1},
                 {101, "E", {"urdX"}, "B@A", 2, 2},
                 {101, "E", {std::string(70, 'U'), "R" + std::string(70, 'D') + " "}, "\x80", 3, 2},
                 {101, "E", {std::string(65, 'D'), " "}, "", 3, 2},
                 {101, "E", {"LURRRRRUU "}, "BAC", 2, 2},
                 {101, "E", {" U "}, "BAA", 2, 2},
                 {101, "E", {"E891^", "rlu", " "}, "BAA", 4, 2},
                 {101, "E", {"RUR" + std::string(65, 'D') + "Q"}, "AB", 2, 1},
                 {0, "", {}, nullptr, 0, 1, "RQ"}};  // the arrow is thrown away, the quit is not
    for (const auto& c : cases) {
        const auto pass = [&](int pass) {
            if (pass == 0) {
                game = quietGame(1, 0, 3);
                game.score = c.score;
                game.startCell().present = c.paused.empty();
            }
            pushInput(pass == 0 ? c.end : pass == 1 ? " " : "");  // a key after the end is lost
        };
        run({" "}, pass, c.letters, c.paused);
        // A score not filed is kept until a new game.
        EXPECT_EQ(std::make_tuple(c.nameEntryPasses, c.menuWaits, c.name ? 11u : 10u,
                                  c.name ? c.score : 100, c.name ? c.name : "AL",
                                  c.name ? 0 : c.score, c.name ? formatScores(table) : "", 0),
                  std::make_tuple(nameEntryPasses, menuWaits, table.size(), table[0].score,
                                  std::string(table[0].name), game.score, folder.read("data.dat"),
                                  game.playerCol))
            << "row " << &c - cases;
    }
}

}  // namespace
