// The main loop driven by injected input: menu and play passes, the frame counter, quitting.
#include <gtest/gtest.h>

#include <malloc.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <functional>

#include "shell/MainLoop.h"
#include "support/Input.h"
#include "support/SdlTest.h"
#include "support/WorkFolder.h"

namespace {

// Every platform whole and nothing else in play, so that a short test never falls or meets
// an enemy or a pickup.
void calmBoard(Game& game) {
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
        bonus.enabled = false;
    }
    for (Enemy& enemy : game.enemies) {
        enemy.enabled = false;
    }
}

class MainLoopTest : public SdlTest {
  protected:
    void SetUp() override {
        SdlTest::SetUp();
        ASSERT_TRUE(loadPictures(pictures));
        const int scores[10] = {100, 100, 100, 100, 100, 100, 100, 100, 100, 100};
        const char* const names[10] = {"AL", "BO", "CY", "DI", "ED", "FO", "GU", "HI", "IO", "JO"};
        table = parseScores(scoreFile(scores, names));
    }
    void TearDown() override {
        freePictures(pictures);
        SdlTest::TearDown();
    }

    // Runs the loop: every menu wait runs the next of menuVisits (Escape, to leave, once
    // they are used up); every pass ends by calling atPassEnd with the pass's index.
    void run() {
        testWaits().onEventWait = [this] {
            ++menuWaits;
            if (menuVisits.empty()) {
                pressKey(SDLK_ESCAPE);
                return;
            }
            std::function<void()> visit = menuVisits.front();
            menuVisits.pop_front();
            visit();
        };
        testWaits().onDelay = [this](Uint32 ms) {
            if (ms == 50) {
                if (atPassEnd) {
                    atPassEnd(passes);
                }
                ++passes;
            } else if (ms == 80) {
                ++nameEntryPasses;
                if (inNameEntry) {
                    inNameEntry(nameEntryPasses);
                }
            } else if (ms == 3000 && inPause) {
                inPause();
            }
        };
        runLoop(game, scores, screen, pictures, frameCounter);
    }

    // Starts a game from the menu, then at the end of that pass calms the board, gives the game
    // a score and presses `end` (Escape, a quit request...).
    void playThenEnd(int32_t score, SDL_Event end) {
        menuVisits.push_back([] { pressKey(SDLK_SPACE); });
        atPassEnd = [this, score, end](int pass) {
            if (pass == 0) {
                calmBoard(game);
                game.score = score;
                push(end);
            }
        };
    }

    WorkFolder folder;
    Game game;
    ScoreFile scores{"data.dat", {}, true};
    ScoreTable& table = scores.table;
    Pictures pictures;
    int frameCounter = 0;
    std::deque<std::function<void()>> menuVisits;
    std::function<void(int)> atPassEnd;
    std::function<void(int)> inNameEntry;
    std::function<void()> inPause;
    int passes = 0;
    int menuWaits = 0;
    int nameEntryPasses = 0;
};

TEST_F(MainLoopTest, FirstPassIsMenuAndSpaceStartsLevelOne) {
    game.score = 77;  // left by an earlier game; not enough for the table
    game.lives = 0;
    menuVisits.push_back([this] {
        EXPECT_EQ(0, passes);
        EXPECT_FALSE(game.playing);
        pressKey(SDLK_SPACE);
    });
    atPassEnd = [this](int pass) {
        if (pass == 0) {
            EXPECT_TRUE(game.playing);
            EXPECT_EQ(1, game.level);
            EXPECT_EQ(3, game.lives);
            EXPECT_EQ(0, game.score);
            EXPECT_EQ(5, game.cols);
            EXPECT_EQ(4, game.rows);
            EXPECT_EQ(0, game.playerCol);
            EXPECT_EQ(3, game.playerRow);
            calmBoard(game);
            pressKey(SDLK_ESCAPE);
        } else if (pass == 1) {
            EXPECT_FALSE(game.playing);
        }
    };
    run();
    EXPECT_EQ(3, passes);  // menu, play, menu that leaves
    EXPECT_EQ(2, menuWaits);
    EXPECT_EQ(3, frameCounter);
}

TEST_F(MainLoopTest, StartButtonStartsAndMenuIgnoresMoves) {
    menuVisits.push_back([] {
        pressKey(SDLK_RIGHT);
        pressButton(6);
        pressButton(8);
    });
    atPassEnd = [this](int pass) {
        if (pass == 0) {
            EXPECT_TRUE(game.playing);
            EXPECT_EQ(0, game.playerCol);
            calmBoard(game);
            pressButton(9);  // SELECT ends the game
        }
    };
    run();
    EXPECT_FALSE(game.playing);
    EXPECT_EQ(3, passes);
}

TEST_F(MainLoopTest, ArrowsAndStickMoveOnePlatformAPress) {
    struct Step {
        std::function<void()> press;
        int col, row;
    };
    const std::vector<Step> steps = {
        {[] { pressKey(SDLK_RIGHT); }, 1, 3},
        {[] { pressKey(SDLK_UP); }, 1, 2},
        {[] { pressButton(6); }, 2, 2},
        {[] { pressButton(0); }, 2, 1},
        {[] { pressButton(2); }, 1, 1},
        {[] { pressButton(4); }, 1, 2},
        {[] { pressKey(SDLK_LEFT); }, 0, 2},
        {[] { pressKey(SDLK_LEFT); }, 0, 2},  // the grid's edge
        {[] { pressKey(SDLK_DOWN); }, 0, 3},
        {[] { pressKey(SDLK_DOWN); }, 0, 3},
        {[] {  // none of these moves during play
             pressKey(SDLK_SPACE);
             pressButton(1);
             pressButton(8);
             push(keyUp(SDLK_RIGHT));
         },
         0, 3},
        {[] {
             pressKey(SDLK_RIGHT);
             pressKey(SDLK_RIGHT);
         },
         2, 3},
    };
    menuVisits.push_back([] { pressKey(SDLK_SPACE); });
    atPassEnd = [&](int pass) {
        if (pass == 0) {
            calmBoard(game);
        } else if (pass <= static_cast<int>(steps.size())) {
            const Step& done = steps[pass - 1];
            EXPECT_EQ(done.col, game.playerCol) << "after step " << pass;
            EXPECT_EQ(done.row, game.playerRow) << "after step " << pass;
        }
        if (pass < static_cast<int>(steps.size())) {
            steps[pass].press();
        } else {
            pressKey(SDLK_ESCAPE);
        }
    };
    run();
    EXPECT_EQ(static_cast<int>(steps.size()) + 3, passes);
}

TEST_F(MainLoopTest, FrameCounterCountsEveryPassAndStartsOver) {
    frameCounter = 9999;
    std::vector<int> seen;
    menuVisits.push_back([] { pressKey(SDLK_SPACE); });
    atPassEnd = [&](int pass) {
        seen.push_back(frameCounter);
        if (pass == 0) {
            calmBoard(game);
        }
        if (pass == 2) {
            pressKey(SDLK_ESCAPE);
        }
    };
    run();
    // menu, play, play (Escape pressed), play (Escape read), menu
    EXPECT_EQ((std::vector<int>{9999, 10000, 0, 1, 2}), seen);
    EXPECT_EQ(3, frameCounter);
}

TEST_F(MainLoopTest, QualifyingScoreIsNamedAndFiled) {
    playThenEnd(101, keyDown(SDLK_ESCAPE));  // one more than the tenth
    inNameEntry = [](int namePass) {
        if (namePass == 1) {
            pressKey(SDLK_RIGHT);
            pressKey(SDLK_UP);
            pressKey(SDLK_SPACE);
        }
    };
    run();
    EXPECT_EQ(2, nameEntryPasses);
    ASSERT_EQ(11u, table.size());
    EXPECT_EQ(101, table[0].score);
    EXPECT_STREQ("ABA", table[0].name);
    EXPECT_EQ(0, game.score);
}

TEST_F(MainLoopTest, EqualScoreIsNotNamed) {
    playThenEnd(100, keyDown(SDLK_ESCAPE));
    run();
    EXPECT_EQ(0, nameEntryPasses);
    EXPECT_EQ(10u, table.size());
    EXPECT_EQ(100, game.score);  // kept until the next game starts
}

TEST_F(MainLoopTest, QuitDuringPlayFilesTheScoreAndLeaves) {
    playThenEnd(500, quitRequest());
    run();
    EXPECT_FALSE(game.playing);
    EXPECT_EQ(1, menuWaits);  // the menu after the game left without waiting for input
    EXPECT_EQ(1, nameEntryPasses);
    EXPECT_EQ(500, table[0].score);
    EXPECT_STREQ("AAA", table[0].name);
}

TEST_F(MainLoopTest, QuitDuringPauseTakesEffectAfterIt) {
    menuVisits.push_back([] { pressKey(SDLK_SPACE); });
    atPassEnd = [this](int pass) {
        if (pass == 0) {
            calmBoard(game);
            game.startCell().present = false;  // the player falls in the next frame
        }
    };
    int pauses = 0;
    inPause = [&] {
        ++pauses;
        pressKey(SDLK_RIGHT);  // thrown away with the pause
        push(quitRequest());
    };
    run();
    EXPECT_EQ(1, pauses);
    EXPECT_FALSE(game.playing);
    EXPECT_EQ(0, game.playerCol);
    EXPECT_EQ(2, game.lives);
    EXPECT_EQ(3, passes);  // menu, the play pass with the fall, the menu that leaves
    EXPECT_EQ(1, menuWaits);
}

TEST_F(MainLoopTest, QuitDuringNameEntryTakesTheLettersAsTheyStand) {
    playThenEnd(300, keyDown(SDLK_ESCAPE));
    inNameEntry = [](int namePass) {
        if (namePass == 1) {
            pressKey(SDLK_UP);
            push(quitRequest());
        }
    };
    run();
    EXPECT_EQ(300, table[0].score);
    EXPECT_STREQ("BAA", table[0].name);
    EXPECT_EQ(2, testWaits().eventWaits);  // the second menu leaves on the quit
    EXPECT_TRUE(menuVisits.empty());
}

TEST_F(MainLoopTest, QuitInMenuLeaves) {
    menuVisits.push_back([] { push(quitRequest()); });
    menuVisits.push_back([] { ADD_FAILURE() << "the menu came back after a quit request"; });
    run();
    EXPECT_EQ(1, passes);
    EXPECT_FALSE(game.playing);
}

TEST_F(MainLoopTest, GameThroughAllFifteenLevelsToTheMenu) {
    std::srand(2024);
    menuVisits.push_back([] { pressKey(SDLK_SPACE); });
    std::vector<int> levelsSeen;
    atPassEnd = [&](int) {
        if (!game.playing || (!levelsSeen.empty() && levelsSeen.back() == game.level)) {
            return;
        }
        // A new level: straight up and across to the portal within one pass, so the player
        // stands on no platform but the start and the portal; the enemies and any pickup
        // on the start cell are kept out of the way.
        levelsSeen.push_back(game.level);
        EXPECT_EQ(0, game.playerCol);
        EXPECT_EQ(game.rows - 1, game.playerRow);
        EXPECT_EQ(3, game.lives);
        EXPECT_EQ(500 * (game.level - 1), game.score);
        for (Enemy& enemy : game.enemies) {
            enemy.enabled = false;
        }
        for (Bonus& bonus : game.bonuses) {
            if (bonus.col == 0 && bonus.row == game.rows - 1) {
                bonus.enabled = false;
            }
        }
        for (int i = 1; i < game.rows; ++i) {
            pressKey(SDLK_UP);
        }
        for (int i = 1; i < game.cols; ++i) {
            pressKey(SDLK_RIGHT);
        }
    };
    int pauses = 0;
    inPause = [&] { ++pauses; };
    inNameEntry = [](int namePass) {
        if (namePass == 1) {
            pressKey(SDLK_SPACE);
        }
    };
    run();
    std::vector<int> allLevels;
    for (int level = 1; level <= 15; ++level) {
        allLevels.push_back(level);
    }
    EXPECT_EQ(allLevels, levelsSeen);
    EXPECT_EQ(15, pauses);
    EXPECT_FALSE(game.playing);
    EXPECT_EQ(16, game.level);
    EXPECT_EQ(7500, table[0].score);
    EXPECT_STREQ("AAA", table[0].name);
}

#if defined(__SANITIZE_ADDRESS__)
#define DWINDLE_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DWINDLE_ASAN 1
#endif
#endif
#ifdef DWINDLE_ASAN
#include <sanitizer/allocator_interface.h>
#endif

// Bytes handed out by the allocator and not yet given back, exact in the sanitizer build;
// elsewhere glibc's count also holds freed blocks it keeps cached, so it only gets reported.
size_t heapInUse() {
#ifdef DWINDLE_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

TEST_F(MainLoopTest, MenuAndNameEntryVisitsDoNotGrowMemory) {
    // 500 menu visits, every fifth after a game whose score enters the table.
    int visits = 0;
    size_t atHundred = 0, atFiveHundred = 0;
    size_t tableAtHundred = 0;
    std::function<void()> visit = [&] {
        ++visits;
        if (visits == 100) {
            atHundred = heapInUse();
            tableAtHundred = table.capacity();
        }
        if (visits == 500) {
            atFiveHundred = heapInUse();
            pressKey(SDLK_ESCAPE);
            return;
        }
        menuVisits.push_back(visit);
        pressKey(SDLK_SPACE);
    };
    menuVisits.push_back(visit);
    atPassEnd = [&](int) {
        if (game.playing) {
            calmBoard(game);
            game.score = visits % 5 == 4 ? 100000 + visits : 0;  // higher every time
            pressKey(SDLK_ESCAPE);
        }
    };
    inNameEntry = [](int namePass) {
        if (namePass % 2 == 1) {  // each visit: a pass that waits, then one that confirms
            pressKey(SDLK_SPACE);
        }
    };
    run();
    EXPECT_EQ(500, visits);
    EXPECT_EQ(200, nameEntryPasses);  // 100 visits of two passes
    // The table keeps every entry by design; everything else comes back.
    const size_t tableGrowth = (table.capacity() - tableAtHundred) * sizeof(ScoreEntry);
#ifdef DWINDLE_ASAN
    EXPECT_LE(atFiveHundred, atHundred + tableGrowth)
        << "at the 100th visit " << atHundred << ", at the 500th " << atFiveHundred;
#else
    std::printf("heap at the 100th visit %zu, at the 500th %zu, the table's growth %zu\n",
                atHundred, atFiveHundred, tableGrowth);
#endif
}

}  // namespace
