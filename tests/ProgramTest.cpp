// The whole program: start-up without a display, sound that fails, the settings file, and
// scores never lost: read-only files are left alone, a filed score is saved at once, saves go
// through links but never through planted ones, signals end the game in order, and reading the
// file takes bounded memory.
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <regex>

#include "platform/desktop/WindowScale.h"
#include "shell/Program.h"
#include "shell/ScoreFile.h"
#include "support/SdlTest.h"

namespace fs = std::filesystem;

namespace {

// The tenth score is negative, so a fresh game's 0 is asked for a name at the first menu.
const std::string kLow =
    "900\nA\n800\nB\n700\nC\n600\nD\n500\nE\n400\nF\n300\nG\n200\nH\n100\nI\n-5\nJ\n";
// kLow once that 0 is filed under the letters the name entry starts with.
const std::string kFiled = kLow.substr(0, kLow.rfind("-5")) + "0\nAAA\n";

void put(const std::string& file, const std::string& text, int mode) {
    std::ofstream(file, std::ios::binary) << text;
    fs::permissions(file, static_cast<fs::perms>(mode));
}

// The game's hop with `size` bytes of its header from `at` on set to `value`: 2 from 22 its
// channels, 4 from 24 its rate, 4 from 40 its samples' size.
std::string lying(std::size_t at, std::size_t size, char value) {
    return WorkFolder::read(DWINDLE_SOUNDS_DIR "/hop.wav").replace(at, size, size, value);
}

// A run's plant that first puts kLow in "data.dat", readable and writable by its owner.
std::function<void()> withScores(const std::function<void()>& plant = [] {}) {
    return [plant] {
        put("data.dat", kLow, 0644);
        plant();
    };
}

// "data.dat" a link into the folder "shut", which takes no new file.
void shut() {
    fs::create_symlink("shut/dat", "data.dat");
    fs::permissions("shut", static_cast<fs::perms>(0555));
}

// Starts the game in a child with the signals' default actions, whatever the suite was started
// under (nohup ignores SIGHUP, a background job SIGINT and SIGQUIT), but for `ignored`: the
// real game in the working folder, or the child ends with run's status. A child that hangs is
// ended by waitFor: SDL ignores SIGALRM, so an alarm in the child would not do.
pid_t startGame(const std::function<int()>& run = nullptr, int ignored = 0) {
    const pid_t child = fork();
    if (child == 0) {
        for (int s : {SIGHUP, SIGINT, SIGQUIT, SIGPIPE, SIGTERM}) {
            signal(s, s == ignored ? SIG_IGN : SIG_DFL);
        }
        if (!run && std::freopen("errors", "w", stderr)) {
            execl(DWINDLE_BINARY, DWINDLE_BINARY, static_cast<char*>(nullptr));
        }
        _exit(run ? run() : 127);
    }
    return child;
}

// The status of a child that ends within `limit` ms, and what it used; one that does not is
// killed.
int waitFor(pid_t child, int limit = 10000, rusage* usage = nullptr) {
    int status = -1;
    for (int ms = 0; wait4(child, &status, WNOHANG, usage) == 0; ms += 10) {
        EXPECT_TRUE(ms < limit || kill(child, SIGKILL) != 0) << "still running: " << child;
        usleep(10000);
    }
    return status;
}

// What the first save says when the folder or the file refuses it.
const std::string kNotSaved = "; this run's scores will not be saved\n";
const std::string kUnwritable =
    "Couldn't write the scores to data.dat: " + std::string(strerror(EACCES)) + kNotSaved;

// One run of the game: what is planted in its folder first, and what it must leave.
struct GameRun {
    const char* name;
    std::function<void()> plant;
    std::string says = "";   // on standard error
    std::string after = "";  // "data.dat" after the run, read through its link
    int mode = 0;            // of "data.dat" after the run; 0: not checked
    int status = 0;
    uid_t user = 65534;                   // who plays when the tests run as root
    int signal = 0;                       // sent at the menu, with SIGTERM ignored from the start
    std::vector<const char*> unset = {};  // as over SSH: no display and no driver asked for
    const char* audio = "dummy";          // the audio driver asked for
    std::string settings = "music off\nsound off\n";  // "settings.txt" after the run
};

// Runs the game in a child process, left at the first menu after naming any score that enters
// the table and turning the music and all sound off there, which the settings file keeps,
// whatever was in its place. When the tests run as root (who reads and writes any file), all
// files are nobody's and nobody plays, in folders where any save could succeed.
void playOnce(const GameRun& run) {
    SCOPED_TRACE(run.name);
    WorkFolder folder(false);
    fs::copy(DWINDLE_IMAGES_DIR, "Images");
    for (const char* made : {"shut", "real", "run"}) {
        fs::create_directory(made);
    }
    run.plant();
    EXPECT_EQ(0, std::system(geteuid() == 0 ? "chmod 777 . real && chown -hR 65534:65534 ."
                                            : "chmod 777 . real"));
    const bool linked = fs::is_symlink("data.dat");
    const pid_t child = startGame([&] {
        if ((geteuid() == 0 && (setgid(run.user) != 0 || setuid(run.user) != 0)) ||
            !std::freopen("errors", "w", stderr) || !std::freopen("output", "w", stdout) ||
            !std::freopen("/dev/null", "r", stdin)) {
            return 126;
        }
        for (const char* name : run.unset) {
            unsetenv(name);
        }
        setenv("SDL_AUDIODRIVER", run.audio, 1);
        // A session's own folder, without which SDL2 complains before the game can.
        setenv("XDG_RUNTIME_DIR", fs::absolute("run").c_str(), 1);
        setenv("TERM", "xterm", 1);  // which the text-art driver needs
        std::setvbuf(stderr, nullptr, _IONBF, 0);
        umask(022);
        signal(SIGTERM, run.signal != 0 ? SIG_IGN : SIG_DFL);
        // The X button confirms a name and means nothing anywhere else.
        testWaits().onDelay = [](Uint32) { pushInput("Button.X"); };
        testWaits().onEventWait = [&] {
            folder.write("at-menu", folder.read("data.dat"));
            pushInput(run.signal != 0 && raise(run.signal) == 0 ? "" : "M S Escape");
        };
        return runProgram();
    });
    const int status = waitFor(child);
    EXPECT_EQ(run.status << 8, status) << (WIFSIGNALED(status) ? strsignal(WTERMSIG(status)) : "");
    struct stat info = {};  // a replaced file keeps its mode, owner and group
    EXPECT_TRUE(stat("data.dat", &info) != 0 ||
                ((run.mode == 0 || run.mode == static_cast<int>(info.st_mode & 07777)) &&
                 (geteuid() != 0 || info.st_uid + info.st_gid == 2 * 65534)));
    std::error_code none;  // the unreadable file and folder when the tests do not run as root
    fs::permissions("data.dat", fs::perms::owner_read, fs::perm_options::add, none);
    fs::permissions("shut", fs::perms::owner_all, fs::perm_options::add, none);
    // A filed score is on disk by the time the menu shows it.
    EXPECT_TRUE(run.after != kFiled || folder.read("at-menu") == kFiled);
    EXPECT_EQ(run.after, folder.read("data.dat"));
    EXPECT_EQ(linked, fs::is_symlink("data.dat"));
    EXPECT_EQ(run.says, folder.read("errors"));
    EXPECT_EQ(run.settings, folder.read("settings.txt"));
    EXPECT_EQ("", folder.read("output"));
    for (const auto& entry : fs::recursive_directory_iterator(".")) {
        const std::string name = entry.path().filename();
        EXPECT_FALSE(std::regex_match(
            name, std::regex("(data\\.dat|dat|settings\\.txt)\\.saving-[[:alnum:]]{6}")))
            << "left behind: " << name;
    }
}

TEST(EveryRun, KeepsTheScoreFileItFindsAndSaysWhenItCannotSave) {
    const GameRun runs[] = {
        {.name = "the first run removes what a save killed half-way left",
         .plant =
             [] {
                 put("data.dat.saving-Tm9Zq2", "", 0);
                 fs::last_write_time("data.dat.saving-Tm9Zq2",
                                     fs::last_write_time(".") - std::chrono::minutes(1));
             },
         .after = formatScores(parseScores("")),
         .mode = 0644},
        {.name = "a folder named like the temporary file, and a hang-up at the menu",
         .plant =
             [] {
                 put("data.dat", kLow, 0664);
                 fs::create_directory("data.dat.tmp");
             },
         .after = kFiled,
         .mode = 0664,
         .signal = SIGHUP,
         .settings = ""},
        {.name = "root saves through a link",
         .plant =
             [] {
                 put("real/dat", kLow, 0666);
                 fs::create_symlink("real/dat", "data.dat");
             },
         .after = kFiled,
         .mode = 0666,
         .user = 0},
        {.name = "a read-only file",
         .plant = [] { put("data.dat", kLow, 0444); },
         .says = kUnwritable,
         .after = kLow,
         .mode = 0444},
        // A folder that takes no new file: its writable file is saved in place, said once; without
        // one nothing can be saved, said at once.
        {.name = "a writable file in a folder that takes no new file",
         .plant =
             [] {
                 put("shut/dat", kLow, 0666);
                 put("shut/dat.lock", "", 0644);
                 shut();
             },
         .says = "Saved the scores to data.dat in place, not atomically: its folder refused a new "
                 "file: " +
                 std::string(strerror(EACCES)) + "\n",
         .after = kFiled,
         .mode = 0666},
        {.name = "no file in a folder that takes no new file", .plant = shut, .says = kUnwritable},
    };
    for (const GameRun& run : runs) {
        playOnce(run);
    }
}

// SDL 1.2 falls back to text art, the compatibility library (SDL2) to no output at all.
TEST(EveryRun, StopsAtStartWithoutADisplayAndSaysWhy) {
    playOnce({.name = "no display",
              .plant = withScores(),
              .says = "Couldn't initialise SDL: found no display and fell back to its " +
                      std::string(SDL_Linked_Version()->patch < 50 ? "caca" : "offscreen") +
                      " driver, which shows nothing; set DISPLAY or WAYLAND_DISPLAY to a running "
                      "display\n",
              .after = kLow,
              .mode = 0644,
              .status = 1,
              .unset = {"SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY"},
              .settings = ""});
}

// Sound that fails leaves the game silent, and it plays on and ends in order.
TEST(EveryRun, PlaysOnSilentlyWhenSoundFails) {
    const auto silent = [](const std::string& file, const std::string& why) {
        return "Couldn't load sound Sounds/" + file + ".wav: " + why + "; it stays silent\n";
    };
    const std::string notPcm = "not PCM of 8 or 16 bits, 1 or 2 channels and 1 to 96000 Hz";
    const GameRun runs[] = {
        {.name = "an audio driver that cannot start",
         .plant = withScores(),
         .says =
             "Couldn't open the audio device: " +
             std::string(SDL_Linked_Version()->patch < 50 ? "No available audio device"
                                                          : "Audio target 'esd' not available") +
             "\n",
         .after = kFiled,
         .mode = 0644,
         .signal = SIGHUP,
         .audio = "esd",
         .settings = ""},
        {.name = "sound files that lie",
         .plant =
             [] {
                 fs::create_directory("Sounds");
                 put("Sounds/hop.wav", lying(22, 2, 0), 0644);
                 put("Sounds/points.wav", lying(24, 4, 0), 0644);
                 put("Sounds/penalty.wav", lying(40, 4, '\xFF'), 0644);  // 4 GiB
                 mkfifo("Sounds/life.wav", 0644);
                 put("Sounds/recall.wav", lying(0, 0, 0), 0644);
                 fs::resize_file("Sounds/recall.wav", 100 << 20);
             },
         .says = silent("hop", notPcm) + silent("points", notPcm) +
                 silent("penalty", "a chunk runs past the end of the file") +
                 silent("life", "Not a regular file") + silent("recall", "larger than 4 MB"),
         .after = formatScores(parseScores("")),
         .mode = 0644},
    };
    for (const GameRun& run : runs) {
        playOnce(run);
    }
}

// The settings file, read without a link followed or a wait, never touching the scores.
TEST(EveryRun, ReadsTheSettingsFileOnlyWhenItIsAPlainFile) {
    const std::string notRead = "Couldn't read the settings from settings.txt: ",
                      on = "; music and sound on\n";
    const GameRun runs[] = {
        {.name = "a plain file",
         .plant = withScores([] { put("settings.txt", "music off\nsound on\n", 0644); }),
         .after = kFiled,
         .settings = "music on\nsound off\n"},
        {.name = "a link",
         .plant =
             [] {
                 put("data.dat", kLow, 0644);
                 put("real/settings", "music on\nsound off\n", 0644);
                 fs::create_symlink("real/settings", "settings.txt");
             },
         .says = notRead + "Not a regular file" + on,
         .after = kFiled},
        {.name = "a fifo",
         .plant = withScores([] { mkfifo("settings.txt", 0644); }),
         .says = notRead + "Not a regular file" + on,
         .after = kFiled},
    };
    for (const GameRun& run : runs) {
        playOnce(run);
    }
}

// Two games in one folder file a score each at one moment and leave: both scores are kept,
// every time. Then the first is killed holding the lock: the other saves as soon as it is
// gone. Last, the first stops holding it: the other saves all the same after two seconds, and
// says so.
TEST(ProgramTest, TwoGamesSavingAtOnceKeepBothScoresAndNeitherWaitsLongForTheOther) {
    std::string table = "9\nA\n8\nB\n7\nC\n6\nD\n5\nE\n4\nF\n3\nG\n2\nH\n-1\nI\n-2\nJ\n";
    // With the lock held elsewhere, the save after the name goes ahead; the one at exit, with
    // nothing new to add, leaves the file alone.
    const std::string held =
        "Saved the scores to data.dat unlocked: lock held elsewhere for 2 s\n"
        "Left the scores in data.dat as they were: lock held elsewhere for 2 s\n";
    for (int round = 0; round < 16; ++round) {
        const int stop = round < 12 ? 0 : round < 15 ? SIGKILL : SIGSTOP;
        while (stop != 0 && table.size() < (4u << 20)) {  // keeps a save in the lock, reading
            table += "-9\nZ\n";
        }
        WorkFolder folder;
        folder.write("data.dat", table);
        // Game i names its score "AAA", or "BAA" with a letter up.
        const auto start = [](int i) {
            return startGame([i] {
                std::setvbuf(std::freopen(("errors" + std::to_string(i)).c_str(), "w", stderr),
                             nullptr, _IONBF, 0);
                testWaits().onDelay = [i](Uint32) {
                    pushInput(i == 0 ? "Button.X" : "Up Button.X");
                };
                testWaits().onEventWait = [] { pushInput("Escape"); };
                return runProgram();
            });
        };
        const pid_t first = start(0);
        std::FILE* lock = std::fopen("data.dat.lock", "a");
        int polls = 0;  // until the first game holds it
        while (stop != 0 && flock(fileno(lock), LOCK_EX | LOCK_NB) == 0 &&
               flock(fileno(lock), LOCK_UN) == 0 && usleep(50) == 0 && ++polls < 20000) {
        }
        EXPECT_LT(polls, 20000) << "the game never took the lock";
        std::fclose(lock);
        const pid_t second = start(1);
        kill(first, stop);
        int status[2] = {0, waitFor(second)};
        kill(first, stop != 0 ? SIGKILL : 0);
        status[0] = waitFor(first);
        const std::string saved = folder.read("data.dat");
        EXPECT_EQ(formatScores(parseScores(saved)), saved);  // twenty well-formed lines
        for (int i = stop != 0 ? 1 : 0; i < 2; ++i) {
            EXPECT_EQ(std::make_tuple(0, stop == SIGSTOP ? held : "", true),
                      std::make_tuple(status[i], folder.read("errors" + std::to_string(i)),
                                      saved.find(i == 0 ? "0\nAAA\n" : "0\nBAA\n") != saved.npos))
                << round;
        }
    }
}

// The real game, signalled during its first splash picture: it ends within half a second,
// through the name entry (which takes the letters as they stand) and the saves. A signal the
// game does not take over, or that whoever started it ignores, leaves it running. It runs
// with no sound device, as over SSH: it plays all the same, and says so once.
TEST(ProgramTest, QuitAndTerminationEndTheSplashAtOnceAndKeepTheScore) {
    const struct {
        const char* name;
        int ignoredAtStart;  // 0: none
        int first, then;     // sent in turn; the game must end within half a second of `then`
    } rows[] = {
        {"SIGPIPE is ignored", 0, SIGPIPE, SIGTERM},
        {"started under nohup, the terminal's closing is no end", SIGHUP, SIGHUP, SIGTERM},
        {"yet under nohup the signals taken over still end it in order", SIGHUP, SIGQUIT, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        WorkFolder folder;
        folder.write("data.dat", kLow);
        setenv("SDL_AUDIODRIVER", "none-such", 1);
        const pid_t game = startGame(nullptr, row.ignoredAtStart);
        // Past start-up, whose last word is the missing audio device's, in every build, emulated
        // ones on a busy machine included, and well before the second picture.
        for (int ms = 0; ms < 30000 && folder.read("errors").empty(); ms += 10) {
            usleep(10 * 1000);
        }
        kill(game, row.first);
        if (row.then != 0) {
            usleep(300 * 1000);
            EXPECT_EQ(0, waitpid(game, nullptr, WNOHANG)) << "ended before the second signal";
            kill(game, row.then);
        }
        EXPECT_EQ(0, waitFor(game, 500));
        EXPECT_EQ(kFiled, folder.read("data.dat"));
        EXPECT_TRUE(std::regex_match(folder.read("errors"),
                                     std::regex("Couldn't open the audio device: .+\n")))
            << folder.read("errors");
    }
}

// Each splash picture stays four seconds, in waits of 50 ms, before the menu's first pass;
// a key or a button moves on at once.
TEST(ProgramTest, SplashShowsBothPicturesForFourSecondsEachOrUntilAPress) {
    const struct {
        std::map<int, std::string> pressed = {};  // pushed at the i-th wait (see pushInput)
        std::vector<std::size_t> changes;         // the waits whose screen differs from the last
        std::size_t waits;
    } rows[] = {
        {.changes = {80, 160}, .waits = 161},
        {.pressed = {{10, "Right"}, {20, "Button.Start"}}, .changes = {11, 21}, .waits = 22},
    };
    for (const auto& row : rows) {
        WorkFolder folder;
        std::vector<std::string> shown;  // the screen at each wait
        testWaits().onDelay = [&](Uint32 ms) {
            shown.push_back(std::to_string(ms) + pixels(SDL_GetVideoSurface()));
            pushInput(row.pressed.count(shown.size() - 1) ? row.pressed.at(shown.size() - 1) : "");
        };
        testWaits().onEventWait = [] { pushInput("Escape"); };
        EXPECT_EQ(0, runProgram());
        std::vector<std::size_t> changes;
        for (std::size_t i = 1; i < shown.size(); ++i) {
            if (shown[i] != shown[i - 1]) {
                changes.push_back(i);
            }
        }
        EXPECT_EQ(std::make_pair(row.changes, row.waits), std::make_pair(changes, shown.size()));
    }
}

// The window: the largest scale, up to 3x, whose window with a title bar and a panel fits.
TEST(ProgramTest, WindowIsTheLargestScaleThatFitsTheScreen) {
    const struct {
        int width, height, scale;
    } screens[] = {{1920, 1080, 3}, {1366, 768, 2}, {1280, 720, 2}, {960, 800, 3},
                   {960, 799, 2},   {959, 1080, 2}, {640, 480, 1}};
    for (const auto& s : screens) {
        EXPECT_EQ(s.scale, windowScale(s.width, s.height)) << s.width << "x" << s.height;
    }
}

// Peak memory of the real game in the working folder, which has no pictures: it reads the
// score file, then stops for the missing pictures.
long gamePeakKb() {
    rusage usage{};
    EXPECT_EQ(1 << 8, waitFor(startGame(), 60000, &usage)) << "not stopped for the pictures";
    return usage.ru_maxrss;
}

// Reading 100 MB of lines takes less than 20 MB over a run with no score file (the game starts
// with memory of its own, more under the sanitizer or an emulator).
TEST(ProgramTest, AHundredMegabytesOfLinesLoadInBoundedMemoryToTheTableOfTheBest) {
    // The ten best, two of them equal and one with a line of 79 characters, spread among
    // 100 MB of pairs that rank below them all, yet would rank above them if the pairing of
    // lines slipped anywhere (the name read as a score) or a line lost its start (the sign).
    // A line longer than the bound is one line: the pair after it counts.
    const std::string best[10] = {
        "2\nB2\n", "7\nTA\n", "300\nAAA\n", "3\nB3\n", std::string(77, ' ') + "42\nLNG\n",
        "4\nB4\n", "7\nTB\n", "5\nB5\n",    "6\nB6\n", "8\nB8\n"};
    const std::string rest = std::string(25 << 20, '-') + "\n#\n1000\nTOP\n";
    WorkFolder folder(false);
    {  // freed before the game starts: a forked child's peak counts the memory it was forked with
        std::string filler;
        while (filler.size() < (10u << 20)) {
            filler += "-999\n999\n";
        }
        std::ofstream big("big.dat", std::ios::binary);
        for (const std::string& entry : best) {
            big << filler << entry;
        }
        big << rest;
    }
    const long smallPeak = gamePeakKb();
    fs::rename("big.dat", "data.dat");
    const long bigPeak = gamePeakKb();
    EXPECT_EQ("1000\nTOP\n300\nAAA\n42\nLNG\n8\nB8\n7\nTA\n7\nTB\n6\nB6\n5\nB5\n4\nB4\n3\nB3\n",
              formatScores(loadScores("data.dat")));
    EXPECT_LT(bigPeak - smallPeak, 20 * 1024) << bigPeak << " KB, with no file " << smallPeak;
}

}  // namespace
