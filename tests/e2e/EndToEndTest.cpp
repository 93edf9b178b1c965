// The real game binary under an X server of its own, played with xdotool as a player would and
// checked from its exit status and "data.dat": name entry, the listing, play at its pace, leaving
// a game and closing the window.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "shell/ScoreTable.h"
#include "support/WorkFolder.h"

// Last: its macros (None, Bool, Status) would clash with names in the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

class EndToEndTest : public ::testing::Test {
  protected:
    // An Xvfb server of the test's own, on a display it picks; the game is started on it.
    void SetUp() override {
        server =
            popen("echo $$; exec Xvfb -displayfd 1 -noreset -screen 0 640x480x24 2>/dev/null", "r");
        int number = -1;
        ASSERT_EQ(2, std::fscanf(server, "%d %d", &serverPid, &number)) << "no X server (Xvfb)";
        setenv("DISPLAY", (":" + std::to_string(number)).c_str(), 1);
        setenv("SDL_VIDEODRIVER", "x11", 1);
        // libX11's input context keeps a small allocation to the end; nothing of ours.
        setenv("LSAN_OPTIONS",
               "suppressions=" DWINDLE_SOURCE_DIR "/tests/e2e/lsan.supp:fast_unwind_on_malloc=0",
               1);
        x = XOpenDisplay(nullptr);
        ASSERT_TRUE(x != nullptr && std::system("command -v xdotool >/dev/null") == 0);
    }
    void TearDown() override {
        if (game > 0) {  // never -1: that would signal every process there is
            kill(game, SIGKILL);
            waitpid(game, nullptr, 0);
        }
        if (x != nullptr) {
            XCloseDisplay(x);
        }
        if (serverPid > 0) {
            kill(serverPid, SIGTERM);
            pclose(server);
        }
    }

    // Starts the game in the working folder and waits for its window, titled "Dwindle".
    void start() {
        if ((game = fork()) == 0) {
            execl(DWINDLE_BINARY, DWINDLE_BINARY, static_cast<char*>(nullptr));
            _exit(127);
        }
        xdotool("search --sync --onlyvisible --name '^Dwindle$' > window");
        window = std::strtoul(folder.read("window").c_str(), nullptr, 10);
        ASSERT_NE(0u, window) << "the game opened no window";
    }
    void xdotool(const std::string& command) {
        std::system(("timeout 10 xdotool " + command).c_str());
    }
    // With keys, presses them until "data.dat" changes (a score is saved as soon as it is
    // filed), again each second: input during a splash or a pause is thrown away. Then the file
    // holds the table with one more entry under the name, of the score that the file shows.
    void expectFiled(ScoreTable& table, const char* name, const char* keys = nullptr) {
        const std::string before = folder.read("data.dat");
        for (int waited = 0; keys && folder.read("data.dat") == before; waited += 100) {
            ASSERT_LT(waited, 20000) << "nothing filed";
            if (waited % 1000 == 0) {
                xdotool("key --delay 250 --window " + std::to_string(window) + " " + keys);
            }
            usleep(100000);
        }
        for (int score : {0, 100, 200}) {
            ScoreTable filed = table;
            insertScore(filed, score, name);
            if (formatScores(filed) == folder.read("data.dat")) {
                table = filed;
                return;
            }
        }
        ADD_FAILURE() << name << " filed with another score: " << folder.read("data.dat");
    }
    // The pixels of a rectangle of the game's window, as the X server shows them.
    std::string grab(int left, int top, int width, int height) {
        XImage* image = XGetImage(x, window, left, top, width, height, AllPlanes, ZPixmap);
        const std::string data(image->data, image->bytes_per_line * height);
        XDestroyImage(image);
        return data;
    }
    // The game's exit status once it has ended, within five seconds; -1 if it has not.
    int exitStatus() {
        int status = 0, ended = 0;
        for (int waited = 0; waited < 5000 && ended == 0; waited += 50, usleep(50000)) {
            ended = waitpid(game, &status, WNOHANG);
        }
        game = ended > 0 ? -1 : game;  // a game still running is ended by TearDown
        return ended > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    WorkFolder folder;
    FILE* server = nullptr;
    Display* x = nullptr;
    pid_t serverPid = -1, game = -1;
    unsigned long window = 0;
};

TEST_F(EndToEndTest, NameListPlayLeaveThenClose) {
    // Low scores, so that every game asks for a name, even a new game's 0 at the first menu.
    ScoreTable table = parseScores(
        "900\nACE\n800\nBEA\n700\nCAL\n600\nDEE\n-1\nELI\n-2\nFLO\n"
        "-3\nGIL\n-4\nHUW\n-5\nIDA\n-6\nJO\n");
    folder.write("data.dat", formatScores(table));
    start();
    expectFiled(table, "AAA", "space");
    // From the menu and its listing, a game: a step, then Escape and a name.
    // At 20 passes a second the start platform stands seven seconds: two seconds cost no life.
    xdotool("key --window " + std::to_string(window) + " space");
    usleep(300000);
    const std::string lives = grab(195, 10, 8, 8);
    sleep(2);
    EXPECT_EQ(lives, grab(195, 10, 8, 8)) << "the game runs faster than its passes";
    xdotool("key --window " + std::to_string(window) + " Right");
    expectFiled(table, "@AA", "Escape Down space");
    // Closing the window during play ends the game in order and files the score.
    xdotool("key --window " + std::to_string(window) + " space");
    usleep(300000);
    XEvent event{};  // what a window manager's close button sends
    event.xclient = {ClientMessage, 0, False, x, window, XInternAtom(x, "WM_PROTOCOLS", 0), 32, {}};
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(x, "WM_DELETE_WINDOW", False));
    XSendEvent(x, window, False, NoEventMask, &event);
    XFlush(x);
    EXPECT_EQ(0, exitStatus());
    expectFiled(table, "AAA");
}

}  // namespace
