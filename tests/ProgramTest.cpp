// The whole program from start-up to shut-down: splash, score file, missing pictures, quitting.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <sstream>
#include <thread>

#include "gfx/ImageLoader.h"
#include "shell/Program.h"
#include "support/Input.h"
#include "support/SdlTest.h"
#include "support/WorkFolder.h"

namespace {

std::string lowScores() {
    const int scores[10] = {900, 800, 700, 600, 500, 400, 300, 200, 100, -5};
    const char* const names[10] = {"ANN", "BOB", "CAT", "DAN", "EVE",
                                   "FAY", "GUS", "HAL", "IVY", "JOE"};
    return scoreFile(scores, names);
}

int countLines(const std::string& text, const std::string& prefix) {
    std::istringstream in(text);
    int count = 0;
    for (std::string line; std::getline(in, line);) {
        count += line.rfind(prefix, 0) == 0 ? 1 : 0;
    }
    return count;
}

// True when the screen holds exactly the picture, drawn whole at (0, 0).
bool screenShows(const char* path) {
    SDL_Surface* screen = SDL_GetVideoSurface();
    SDL_Surface* expected = ImageLoader().loadKeyedImage(path);
    SDL_Surface* canvas = SDL_ConvertSurface(screen, screen->format, SDL_SWSURFACE);
    SDL_BlitSurface(expected, nullptr, canvas, nullptr);
    bool same = true;
    for (int y = 0; y < screen->h && same; ++y) {
        for (int x = 0; x < screen->w && same; ++x) {
            same = pixelAt(screen, x, y) == pixelAt(canvas, x, y);
        }
    }
    SDL_FreeSurface(canvas);
    SDL_FreeSurface(expected);
    return same;
}

class ProgramTest : public ::testing::Test {
  protected:
    void SetUp() override { testWaits() = WaitHooks{}; }
    void TearDown() override { testWaits() = WaitHooks{}; }
};

TEST_F(ProgramTest, MissingPicturesEndTheProgramBeforeTheSplash) {
    WorkFolder folder(false);
    folder.write("data.dat", lowScores());
    ::testing::internal::CaptureStderr();
    const int status = runProgram();
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(1, status);
    EXPECT_EQ(14, countLines(errors, "Couldn't load picture Images/"));
    EXPECT_NE(std::string::npos, errors.find("Couldn't load picture Images/namescreen.png: "));
    EXPECT_EQ(0, testWaits().delayCalls);  // no splash
    EXPECT_EQ(lowScores(), folder.read("data.dat"));
}

TEST_F(ProgramTest, SplashThenMenuThenNameEntryAndSavedTable) {
    WorkFolder folder;
    folder.write("data.dat", lowScores());
    unsigned long long splashMs = 0;
    bool splashShown[2] = {false, false};
    testWaits().onDelay = [&](Uint32 ms) {
        const unsigned long long waited = testWaits().totalMs;  // this wait included
        if (waited == 4000 || waited == 8000) {  // the last wait of each splash picture
            splashShown[waited / 4000 - 1] =
                screenShows(waited == 4000 ? "Images/namescreen.png" : "Images/intro.png");
            pressKey(SDLK_SPACE);  // pressed during the splash: thrown away by the menu
        }
        if (ms == 80 && splashMs == 0) {
            splashMs = waited - ms;
            pressKey(SDLK_DOWN);  // 'A' becomes '@'
            pressKey(SDLK_SPACE);
        }
    };
    testWaits().onEventWait = [] { pressKey(SDLK_ESCAPE); };
    EXPECT_EQ(0, runProgram());
    EXPECT_TRUE(splashShown[0]);
    EXPECT_TRUE(splashShown[1]);
    // A fresh game's score of 0 beats the tenth entry's -5, so the first menu asks for a name
    // once the two pictures have had their 4 seconds each.
    EXPECT_EQ(8000u, splashMs);
    const std::string saved = folder.read("data.dat");
    EXPECT_EQ(lowScores().substr(0, lowScores().rfind("-5\n")) + "0\n@AA\n", saved);
}

TEST_F(ProgramTest, QuitDuringSplashStillSavesTheTable) {
    WorkFolder folder;
    testWaits().onDelay = [](Uint32) {
        if (testWaits().delayCalls == 1) {
            push(quitRequest());
        }
    };
    testWaits().onEventWait = [] { ADD_FAILURE() << "the menu waited after a quit request"; };
    EXPECT_EQ(0, runProgram());
    EXPECT_LT(testWaits().totalMs, 4000u);  // the splash ended at once
    // No file at start: ten empty entries are saved.
    std::string empty;
    for (int i = 0; i < 10; ++i) {
        empty += "0\n\n";
    }
    EXPECT_EQ(empty, folder.read("data.dat"));
}

// The real game binary, stopped by SIGTERM while it asks for a name.
TEST_F(ProgramTest, TerminationSignalFilesTheScore) {
    WorkFolder folder;
    folder.write("data.dat", lowScores());
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        execl(DWINDLE_BINARY, DWINDLE_BINARY, static_cast<char*>(nullptr));
        _exit(127);
    }
    // Past the two 4-second splash pictures, into the name entry of the first menu.
    std::this_thread::sleep_for(std::chrono::milliseconds(9500));
    ASSERT_EQ(0, kill(child, SIGTERM));
    int status = 0;
    for (int i = 0; i < 100 && waitpid(child, &status, WNOHANG) == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (waitpid(child, &status, WNOHANG) == 0) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        FAIL() << "the game did not end after SIGTERM";
    }
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(0, WEXITSTATUS(status));
    EXPECT_EQ(lowScores().substr(0, lowScores().rfind("-5\n")) + "0\nAAA\n",
              folder.read("data.dat"));
}

}  // namespace
