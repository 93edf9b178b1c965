// The real game binary under an X server of its own with a window manager, played with xdotool
// as a player would and checked from "data.dat" and its pixels: name entry, the listing, full
// screen, play at its pace and held while the player is away, and leaving a game.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <vector>

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
        server = popen("echo $$; exec Xvfb -displayfd 1 -noreset -screen 0 1024x700x24 2>/dev/null",
                       "r");
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
        // An X error (a window gone, say) fails a check instead of ending the test.
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
        // The window manager that gives the focus, and full screen, as a desktop's does; ready
        // for windows once it lists them on the root window (a window mapped before may never
        // show).
        ASSERT_EQ(0,
                  std::system("openbox >/dev/null 2>&1 & echo $! > openbox; for i in $(seq 100); "
                              "do xprop -root | grep -q _NET_CLIENT_LIST_STACKING && break; "
                              "sleep 0.1; done"));
    }
    void TearDown() override {
        if (game > 0) {  // never -1: that would signal every process there is
            kill(game, SIGKILL);
            waitpid(game, nullptr, 0);
        }
        if (x != nullptr) {
            XCloseDisplay(x);
        }
        std::system("kill $(cat openbox) 2>/dev/null");
        if (serverPid > 0) {
            kill(serverPid, SIGTERM);
            pclose(server);
        }
    }

    void xdotool(const std::string& command) {
        std::system(("timeout 10 xdotool " + command).c_str());
    }
    // Presses the keys until "data.dat" changes (a score is saved as soon as it is filed), again
    // each second: input during a splash or a pause is thrown away. Then the file holds the
    // table with one more entry under the name, of the score that the file shows.
    void expectFiled(ScoreTable& table, const char* name, const char* keys) {
        const std::string before = folder.read("data.dat");
        for (int waited = 0; folder.read("data.dat") == before; waited += 100) {
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
    // The 24-bit colours of a rectangle of the game's window (or of the whole screen), row by
    // row, as the X server shows them; none where it cannot be read.
    std::vector<unsigned> grab(int left, int top, int width, int height, bool screen = false) {
        XImage* image = XGetImage(x, screen ? DefaultRootWindow(x) : window, left, top, width,
                                  height, AllPlanes, ZPixmap);
        std::vector<unsigned> colours;
        for (int i = 0; image != nullptr && i < width * height; ++i) {
            colours.push_back(XGetPixel(image, i % width, i / width) & 0xFFFFFF);
        }
        if (image != nullptr) {
            XDestroyImage(image);
        }
        return colours;
    }

    WorkFolder folder;
    FILE* server = nullptr;
    Display* x = nullptr;
    pid_t serverPid = -1, game = -1;
    unsigned long window = 0;
};

TEST_F(EndToEndTest, NameListFullScreenPlayAwayAndLeave) {
    // Low scores, so that every game asks for a name, even a new game's 0 at the first menu.
    ScoreTable table = parseScores(
        "900\nACE\n800\nBEA\n700\nCAL\n600\nDEE\n-1\nELI\n-2\nFLO\n"
        "-3\nGIL\n-4\nHUW\n-5\nIDA\n-6\nJO\n");
    folder.write("data.dat", formatScores(table));
    // The game started in the working folder, and its window, titled "Dwindle".
    if ((game = fork()) == 0) {
        execl(DWINDLE_BINARY, DWINDLE_BINARY, static_cast<char*>(nullptr));
        _exit(127);
    }
    xdotool("search --sync --onlyvisible --name '^Dwindle$' > window");
    window = std::strtoul(folder.read("window").c_str(), nullptr, 10);
    ASSERT_NE(0u, window) << "the game opened no window";
    expectFiled(table, "AAA", "space");
    // At the menu, Alt+Enter fills the screen with the picture twice as large, centred on black,
    // and F11 gives the window back as it was.
    const std::vector<unsigned> menu = grab(0, 0, 320, 240);
    xdotool("key --window " + std::to_string(window) + " alt+Return");
    usleep(1000000);
    // SDL 1.2 shows full screen in a window of its own.
    const std::vector<unsigned> full = grab(0, 0, 1024, 700, true);
    ASSERT_EQ(std::make_pair(std::size_t{320 * 240}, std::size_t{1024 * 700}),
              std::make_pair(menu.size(), full.size()));
    int wrong = full[0] + full[1024 * 700 - 1] != 0 ? 1 : 0;
    for (int i = 0; i < 4 * 320 * 240; ++i) {
        const int px = i % 640, py = i / 640;
        wrong += full[(110 + py) * 1024 + 192 + px] != menu[py / 2 * 320 + px / 2];
    }
    EXPECT_EQ(0, wrong) << "pixels not the menu's, twice as large in the middle";
    xdotool("key --window " + std::to_string(window) + " F11");
    usleep(1000000);
    EXPECT_EQ(menu, grab(0, 0, 320, 240));
    // From the menu and its listing, a game: a step, then Escape and a name.
    // At 20 passes a second the start platform stands seven seconds: two seconds cost no life.
    xdotool("key --window " + std::to_string(window) + " space");
    usleep(300000);
    const std::vector<unsigned> lives = grab(195, 10, 8, 8);
    sleep(2);
    EXPECT_EQ(lives, grab(195, 10, 8, 8)) << "the game runs faster than its passes";
    // Another window takes the focus for eight seconds, long enough for the start platform to
    // vanish under the player, were the game not held. Held, it shows its frame dimmed above a
    // light band. (A minimised window loses the focus too; the browser test holds a hidden
    // page, which the game reads as a minimised window.)
    const std::vector<unsigned> before = grab(0, 0, 320, 240);
    std::system("xmessage -title away away >/dev/null 2>&1 & echo $! > xmessage");
    xdotool("search --sync --name '^away$' windowactivate --sync");
    usleep(500000);
    const std::vector<unsigned> held = grab(0, 0, 320, 240);
    ASSERT_EQ(before.size(), held.size());
    const auto light = [](const std::vector<unsigned>& picture) {  // of the top 100 rows
        return std::accumulate(
            picture.begin(), picture.begin() + 320 * 100, 0L,
            [](long sum, unsigned c) { return sum + (c & 255) + (c >> 8 & 255) + (c >> 16); });
    };
    EXPECT_LT(light(held), light(before) * 6 / 10) << "not dimmed";
    EXPECT_TRUE(held[113 * 320] == held[114 * 320 - 1] && held[113 * 320] > 0xC0C0C0) << "no band";
    sleep(8);
    xdotool("windowactivate --sync " + std::to_string(window));
    usleep(500000);
    EXPECT_EQ(lives, grab(195, 10, 8, 8)) << "a life lost while away";
    std::system("kill $(cat xmessage)");
    xdotool("key --window " + std::to_string(window) + " Right");
    expectFiled(table, "@AA", "Escape Down space");
}

}  // namespace
