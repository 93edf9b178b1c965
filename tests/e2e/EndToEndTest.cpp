// The real game binary under an X server, driven by key presses as a player would, checked
// from screenshots and from "data.dat".
#include <SDL/SDL.h>
#include <SDL/SDL_image.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "e2e/XServer.h"
#include "game/Game.h"
#include "gfx/ImageLoader.h"
#include "shell/ScoreTable.h"
#include "support/SdlTest.h"
#include "support/WorkFolder.h"

namespace {

using Clock = std::chrono::steady_clock;

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::string shell(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
            output += buffer;
        }
        pclose(pipe);
    }
    return output;
}

// The game, started in the current working folder on the X server.
class GameProcess {
  public:
    explicit GameProcess(const XServer& x) : x_(x) {
        pid_ = fork();
        if (pid_ == 0) {
            setenv("DISPLAY", x.name().c_str(), 1);
            setenv("SDL_VIDEODRIVER", "x11", 1);
            // libX11's input context keeps a small allocation to the end; nothing of ours.
            setenv("LSAN_OPTIONS",
                   "suppressions=" DWINDLE_SOURCE_DIR
                   "/tests/e2e/lsan.supp:fast_unwind_on_malloc=0",
                   1);
            execl(DWINDLE_BINARY, DWINDLE_BINARY, static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~GameProcess() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }

    // The game's 320x240 window, once it is there.
    unsigned long window(int timeoutMs = 10000) {
        const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (window_ == 0 && Clock::now() < end) {
            window_ = x_.findGameWindow();
            if (window_ == 0) {
                sleepMs(100);
            }
        }
        return window_;
    }

    void key(const char* name) const {
        shell("DISPLAY=" + x_.name() + " xdotool key --window " + std::to_string(window_) + " " +
              name + " 2>/dev/null");
        sleepMs(120);  // two passes of the game
    }

    void terminate() const { kill(pid_, SIGTERM); }

    void close() const { x_.close(window_); }

    // The exit status, or -1 if the game is still running after the timeout.
    int waitForExit(int timeoutMs) {
        for (int waited = 0; waited <= timeoutMs; waited += 50) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            sleepMs(50);
        }
        return -1;
    }

  private:
    const XServer& x_;
    pid_t pid_ = -1;
    unsigned long window_ = 0;
};

using Surface = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

Surface screenshot(const XServer& x, unsigned long window, const std::string& path) {
    shell("DISPLAY=" + x.name() + " import -window " + std::to_string(window) + " " + path +
          " 2>/dev/null");
    return Surface(IMG_Load(path.c_str()), &SDL_FreeSurface);
}

bool near(const Rgb& a, const Rgb& b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

Rgb colourAt(SDL_Surface* s, int x, int y) {
    SDL_LockSurface(s);
    const Uint8* p =
        static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
    Uint32 value = 0;
    std::memcpy(&value, p, s->format->BytesPerPixel);
    SDL_UnlockSurface(s);
    Uint8 r, g, b;
    SDL_GetRGB(value, s->format, &r, &g, &b);
    return Rgb{r, g, b};
}

// Share of the pixels of the rectangle that differ between the shot and what was expected.
double mismatch(SDL_Surface* shot, SDL_Surface* expected, SDL_Rect area) {
    if (shot == nullptr || shot->w != 320 || shot->h != 240) {
        return 1.0;
    }
    int differ = 0;
    for (int y = area.y; y < area.y + area.h; ++y) {
        for (int x = area.x; x < area.x + area.w; ++x) {
            differ += near(colourAt(shot, x, y), colourAt(expected, x, y), 12) ? 0 : 1;
        }
    }
    return static_cast<double>(differ) / (area.w * area.h);
}

const SDL_Rect kWholeScreen{0, 0, 320, 240};
const SDL_Rect kHud{15, 5, 200, 25};

// A picture as the game shows it: a copy of it in the screen's format.
Surface picture(const char* path, bool keyed) {
    ImageLoader loader;
    SDL_Surface* loaded = keyed ? loader.loadKeyedImage(path) : loader.loadImage(path);
    Surface canvas(SDL_CreateRGBSurface(SDL_SWSURFACE, 320, 240, 16, 0xF800, 0x07E0, 0x001F, 0),
                   &SDL_FreeSurface);
    SDL_BlitSurface(loaded, nullptr, canvas.get(), nullptr);
    SDL_FreeSurface(loaded);
    return canvas;
}

ScoreTable preparedTable() {
    const int scores[10] = {900, 800, 700, 600, 500, 400, 300, 200, 100, 0};
    const char* const names[10] = {"ACE", "BEA", "CAL", "DEE", "ELI",
                                   "FLO", "GIL", "HUW", "IDA", "JO"};
    return parseScores(scoreFile(scores, names));
}

class EndToEndTest : public SdlTest {
  protected:
    void SetUp() override {
        SdlTest::SetUp();
        if (!x.connected() || std::system("command -v xdotool import >/dev/null 2>&1") != 0) {
            if (std::getenv("CI") != nullptr) {
                FAIL() << "no X server could be started for the end-to-end test";
            }
            GTEST_SKIP() << "no X server could be started (Xvfb, xdotool and imagemagick needed)";
        }
        shots = std::getenv("DWINDLE_SHOTS_DIR") ? std::getenv("DWINDLE_SHOTS_DIR") : "";
    }

    // Takes screenshots until one matches what is expected in the area, or the time is out.
    bool waitForScreen(GameProcess& game, SDL_Surface* expected, SDL_Rect area, int timeoutMs,
                       const char* keepAs = nullptr) {
        const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        do {
            Surface shot = screenshot(x, game.window(), folder.path() + "/shot.png");
            if (mismatch(shot.get(), expected, area) < 0.01) {
                keep(keepAs);
                return true;
            }
            sleepMs(100);
        } while (Clock::now() < end);
        return false;
    }

    // Copies the last screenshot into the screenshot folder, when one is given.
    void keep(const char* name) {
        if (name != nullptr && !shots.empty()) {
            shell("cp " + folder.path() + "/shot.png " + shots + "/" + name);
        }
    }

    // The menu as it should look with this table.
    Surface menuWith(const ScoreTable& table) {
        Surface menu = picture("Images/menu.png", true);
        drawListing(table, menu.get());
        return menu;
    }

    // The background with the HUD of a game at this level, lives and score.
    Surface hud(int level, int lives, int score) {
        Surface canvas = picture("Images/image.jpg", false);
        Game game;
        game.level = level;
        game.lives = lives;
        game.score = score;
        game.drawHud(canvas.get());
        return canvas;
    }

    // A new game's first frames: level 1, three lives, and a score of 0, or 100 when the
    // level's pickup lay on the start platform.
    bool waitForNewGame(GameProcess& game, const char* keepAs = nullptr) {
        const auto end = Clock::now() + std::chrono::milliseconds(3000);
        Surface fresh = hud(1, 3, 0), lucky = hud(1, 3, 100);
        do {
            Surface shot = screenshot(x, game.window(), folder.path() + "/shot.png");
            if (mismatch(shot.get(), fresh.get(), kHud) < 0.01 ||
                mismatch(shot.get(), lucky.get(), kHud) < 0.01) {
                keep(keepAs);
                return true;
            }
            sleepMs(100);
        } while (Clock::now() < end);
        return false;
    }

    // Past the splash pictures to the menu of the prepared table, and into a new game.
    bool startGame(GameProcess& game) {
        if (game.window() == 0 ||
            !waitForScreen(game, menuWith(preparedTable()).get(), kWholeScreen, 12000)) {
            return false;
        }
        game.key("space");
        return waitForNewGame(game);
    }

    // Plays level 1 until a pickup is collected, stepping only onto large platforms; starts
    // a new game should the falls have ended this one.
    bool collectPickup(GameProcess& game) {
        Surface pickup(ImageLoader().loadImage("Images/bbonus.png"), &SDL_FreeSurface);
        Surface player(ImageLoader().loadImage("Images/char.png"), &SDL_FreeSurface);
        const auto end = Clock::now() + std::chrono::seconds(120);
        while (Clock::now() < end) {
            Surface shot = screenshot(x, game.window(), folder.path() + "/shot.png");
            if (shot == nullptr) {
                continue;
            }
            bool playing = false;
            for (int lives = 0; lives <= 3; ++lives) {
                if (mismatch(shot.get(), hud(1, lives, 100).get(), kHud) < 0.01) {
                    return true;
                }
                playing = playing || mismatch(shot.get(), hud(1, lives, 0).get(), kHud) < 0.01;
            }
            if (!playing) {
                ++restarts;
                game.key("space");
                continue;
            }
            const char* move = nextMove(shot.get(), player.get(), pickup.get());
            if (move != nullptr) {
                game.key(move);
            } else {
                sleepMs(150);
            }
        }
        return false;
    }

    // Where the player and a pickup are on the level-1 board, and which platforms are large
    // enough to stand on for a while.
    struct Board {
        static constexpr int cols = 5, rows = 4;
        int player = -1, pickup = -1;
        bool large[cols * rows] = {};
    };
    static Board readBoard(SDL_Surface* shot, SDL_Surface* player, SDL_Surface* pickup) {
        Board board;
        for (int c = 0; c < Board::cols; ++c) {
            for (int r = 0; r < Board::rows; ++r) {
                const int x = 32 + 65 * c, y = 65 + 50 * r, cell = c + r * Board::cols;
                const Rgb orange{200, 115, 30};
                board.large[cell] = near(colourAt(shot, x + 14, y), orange, 16) &&
                                    near(colourAt(shot, x - 14, y), orange, 16) &&
                                    near(colourAt(shot, x, y + 10), orange, 16);
                board.player = spriteAt(shot, player, x - 5, y - 15) ? cell : board.player;
                board.pickup = spriteAt(shot, pickup, x - 8, y - 15) ? cell : board.pickup;
            }
        }
        return board;
    }

    // From a large platform, presses the arrow towards a large neighbour (never the portal)
    // and looks for the player's sprite there.
    bool stepAndFind(GameProcess& game) {
        Surface player(ImageLoader().loadImage("Images/char.png"), &SDL_FreeSurface);
        for (int attempt = 0; attempt < 50; ++attempt) {
            Surface shot = screenshot(x, game.window(), folder.path() + "/shot.png");
            const Board board = readBoard(shot.get(), player.get(), player.get());
            if (board.player >= 0 && board.large[board.player]) {
                const int c = board.player % Board::cols, r = board.player / Board::cols;
                const struct {
                    int col, row;
                    const char* key;
                } steps[] = {
                    {c + 1, r, "Right"}, {c, r - 1, "Up"}, {c - 1, r, "Left"}, {c, r + 1, "Down"}};
                for (const auto& step : steps) {
                    const int cell = step.col + step.row * Board::cols;
                    if (step.col >= 0 && step.col < Board::cols && step.row >= 0 &&
                        step.row < Board::rows && cell != Board::cols - 1 && board.large[cell]) {
                        game.key(step.key);
                        Surface after = screenshot(x, game.window(), folder.path() + "/shot.png");
                        return spriteAt(after.get(), player.get(), 32 + 65 * step.col - 5,
                                        65 + 50 * step.row - 15);
                    }
                }
            }
            sleepMs(200);
        }
        return false;
    }

    // The first key of a shortest way over large platforms from the player to the pickup.
    const char* nextMove(SDL_Surface* shot, SDL_Surface* player, SDL_Surface* pickup) {
        const int cols = Board::cols, rows = Board::rows;
        const Board board = readBoard(shot, player, pickup);
        const int from = board.player, to = board.pickup;
        const bool* large = board.large;
        if (from < 0 || to < 0 || !large[to] || to == cols - 1) {
            return nullptr;
        }
        std::vector<int> previous(cols * rows, -1);
        std::deque<int> queue{from};
        previous[from] = from;
        while (!queue.empty() && previous[to] < 0) {
            const int cell = queue.front();
            queue.pop_front();
            const int c = cell % cols, r = cell / cols;
            const int next[4][2] = {{c - 1, r}, {c + 1, r}, {c, r - 1}, {c, r + 1}};
            for (const auto& n : next) {
                const int index = n[0] + n[1] * cols;
                // Never through the portal: it would end the level.
                if (n[0] >= 0 && n[0] < cols && n[1] >= 0 && n[1] < rows && index != cols - 1 &&
                    large[index] && previous[index] < 0) {
                    previous[index] = cell;
                    queue.push_back(index);
                }
            }
        }
        if (previous[to] < 0) {
            return nullptr;
        }
        int step = to;
        while (previous[step] != from) {
            step = previous[step];
        }
        if (step == from - 1)
            return "Left";
        if (step == from + 1)
            return "Right";
        if (step == from - cols)
            return "Up";
        return "Down";
    }

    // The sprite's opaque pixels (all but white) are on the shot with their top-left corner
    // at (x, y).
    static bool spriteAt(SDL_Surface* shot, SDL_Surface* sprite, int x, int y) {
        const Rgb white{255, 255, 255};
        int opaque = 0, same = 0;
        for (int sy = 0; sy < sprite->h; ++sy) {
            for (int sx = 0; sx < sprite->w; ++sx) {
                const Rgb colour = colourAt(sprite, sx, sy);
                if (near(colour, white, 7) || x + sx < 0 || y + sy < 0 || x + sx >= 320 ||
                    y + sy >= 240) {
                    continue;
                }
                ++opaque;
                same += near(colourAt(shot, x + sx, y + sy), colour, 12) ? 1 : 0;
            }
        }
        return opaque > 20 && same * 10 >= opaque * 9;
    }

    XServer x;
    WorkFolder folder;
    std::string shots;
    int restarts = 0;
};

TEST_F(EndToEndTest, PlayNameAndLeave) {
    folder.write("data.dat", formatScores(preparedTable()));
    GameProcess game(x);
    ASSERT_NE(0u, game.window()) << "the game opened no window";

    Surface splash1 = picture("Images/namescreen.png", true);
    Surface splash2 = picture("Images/intro.png", true);
    EXPECT_TRUE(waitForScreen(game, splash1.get(), kWholeScreen, 4000, "splash.png"));
    EXPECT_TRUE(waitForScreen(game, splash2.get(), kWholeScreen, 6000, "intro.png"));
    ScoreTable table = preparedTable();
    ASSERT_TRUE(waitForScreen(game, menuWith(table).get(), kWholeScreen, 6000, "menu.png"));

    game.key("space");
    ASSERT_TRUE(waitForNewGame(game, "play-level1.png"));
    Surface shot = screenshot(x, game.window(), folder.path() + "/shot.png");
    int orange = 0;
    for (int y = 40; y < 240; ++y) {
        for (int px = 0; px < 320; ++px) {
            orange += near(colourAt(shot.get(), px, y), Rgb{200, 115, 30}, 12) ? 1 : 0;
        }
    }
    EXPECT_GT(orange, 5000) << "no platforms drawn";

    EXPECT_TRUE(stepAndFind(game)) << "the player was not found on the platform moved to";
    ASSERT_TRUE(collectPickup(game)) << "no pickup reached; " << restarts << " games started again";

    // 100 beats the tenth score, 0: Escape ends the game and asks for a name.
    game.key("Escape");
    Surface nameScreen = picture("Images/menu2.jpg", false);
    Painter painter;
    painter.write(painter.write(painter.write(nameScreen.get(), "A", 60, 130), "A", 80, 130), "A",
                  100, 130);
    painter.write(painter.write(nameScreen.get(), "[", 50, 130), "]", 70, 130);
    ASSERT_TRUE(waitForScreen(game, nameScreen.get(), kWholeScreen, 3000, "name-entry.png"));
    for (const char* key : {"Up", "Up", "Right", "Up", "space"}) {
        game.key(key);
    }
    insertScore(table, 100, "CBA");
    EXPECT_TRUE(waitForScreen(game, menuWith(table).get(), kWholeScreen, 3000));

    game.key("Escape");
    EXPECT_EQ(0, game.waitForExit(5000));
    const std::string saved = folder.read("data.dat");
    EXPECT_EQ(formatScores(table), saved);
    EXPECT_NE(std::string::npos, saved.find("100\nCBA\n"));
}

TEST_F(EndToEndTest, ClosingTheWindowDuringPlayKeepsTheScore) {
    folder.write("data.dat", formatScores(preparedTable()));
    GameProcess game(x);
    ASSERT_TRUE(startGame(game));
    ASSERT_TRUE(collectPickup(game)) << restarts << " games started again";
    game.close();
    EXPECT_EQ(0, game.waitForExit(5000));
    ScoreTable table = preparedTable();
    insertScore(table, 100, "AAA");
    EXPECT_EQ(formatScores(table), folder.read("data.dat"));
}

TEST_F(EndToEndTest, TerminationSignalDuringPlayEndsInOrder) {
    folder.write("data.dat", formatScores(preparedTable()));
    GameProcess game(x);
    ASSERT_TRUE(startGame(game));
    game.terminate();
    EXPECT_EQ(0, game.waitForExit(5000));
    // Saved as it was, or with the score of a pickup found under the start platform.
    ScoreTable lucky = preparedTable();
    insertScore(lucky, 100, "AAA");
    const std::string saved = folder.read("data.dat");
    EXPECT_TRUE(saved == formatScores(preparedTable()) || saved == formatScores(lucky)) << saved;
}

}  // namespace
