// The main loop driven by injected input: menu and play passes, the frame counter, the name
// entry screen, the score table, and quit requests from every screen; the picture files gone
// once loaded, as when the game is removed while it runs; and the sound it makes.
#include <dlfcn.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>

#include "RulesTestHelpers.h"
#include "gfx/ImageLoader.h"
#include "shell/MainLoop.h"
#include "sound/Sounds.h"
#include "support/SdlTest.h"

namespace {

// What the game asks of the mixer, each as "what after wait": a sound started, named by its file in
// Sounds/ ("music1 looping" when played over and over), "stop" for the music halted, "rest" and
// "resume" for it paused and resumed, "volume N" set on every channel and "music's volume N",
// after the wait last begun.
struct Listener {
    std::vector<std::string> heard;
    std::string after;
    int volume = MIX_MAX_VOLUME, musicVolume = MIX_MAX_VOLUME;
    Sounds sounds;  // the game's, each named by its file in their lists
};
Listener listening;

void note(const std::string& what) {
    listening.heard.push_back(what + " after " + listening.after);
}
void noteVolume(const std::string& what, int& was, int volume) {
    if (volume >= 0 && volume != was) {
        was = volume;
        note(what + std::to_string(volume));
    }
}

// `token` n times, each followed by a space.
std::string times(int n, const std::string& token) {
    std::string tokens;
    for (int i = 0; i < n; ++i) {
        tokens += token + " ";
    }
    return tokens;
}

// A function of a library: of the one loaded at `library`, or RTLD_NEXT, the next to define it.
template <typename F>
F* symbol(void* library, const char* name) {
    return reinterpret_cast<F*>(dlsym(library, name));
}

}  // namespace

// The game's calls into the mixer, noted on their way to it.
extern "C" int Mix_PlayChannelTimed(int channel, Mix_Chunk* chunk, int loops, int ticks) {
    Mix_Chunk* const* effects = listening.sounds.effects;
    const int effect = std::find(effects, effects + kEffectCount, chunk) - effects;
    note(std::filesystem::path(effect < kEffectCount ? kEffectFiles[effect] : "").stem().string() +
         (loops < 0 ? " looping" : ""));
    return symbol<decltype(Mix_PlayChannelTimed)>(RTLD_NEXT, "Mix_PlayChannelTimed")(channel, chunk,
                                                                                     loops, ticks);
}
extern "C" int Mix_PlayMusic(Mix_Music* music, int loops) {
    const Stream* pieces = listening.sounds.music;
    const int piece = std::find_if(pieces, pieces + kMusicCount,
                                   [&](const Stream& p) { return p.music == music; }) -
                      pieces;
    note(std::filesystem::path(piece < kMusicCount ? kMusicFiles[piece] : "").stem().string() +
         (loops < 0 ? " looping" : ""));
    return symbol<decltype(Mix_PlayMusic)>(RTLD_NEXT, "Mix_PlayMusic")(music, loops);
}
extern "C" int Mix_HaltMusic() {
    if (Mix_PlayingMusic()) {
        note("stop");
    }
    return symbol<decltype(Mix_HaltMusic)>(RTLD_NEXT, "Mix_HaltMusic")();
}
extern "C" void Mix_PauseMusic() {
    note("rest");
    symbol<decltype(Mix_PauseMusic)>(RTLD_NEXT, "Mix_PauseMusic")();
}
extern "C" void Mix_ResumeMusic() {
    note("resume");
    symbol<decltype(Mix_ResumeMusic)>(RTLD_NEXT, "Mix_ResumeMusic")();
}
extern "C" int Mix_Volume(int channel, int volume) {
    noteVolume(channel < 0 ? "volume " : "one channel's volume ", listening.volume, volume);
    return symbol<decltype(Mix_Volume)>(RTLD_NEXT, "Mix_Volume")(channel, volume);
}
extern "C" int Mix_VolumeMusic(int volume) {
    noteVolume("music's volume ", listening.musicVolume, volume);
    return symbol<decltype(Mix_VolumeMusic)>(RTLD_NEXT, "Mix_VolumeMusic")(volume);
}

namespace {

class MainLoopTest : public PicturesTest {
  protected:
    // Runs the loop with a new game and a table of ten scores of 100. The menu's i-th wait
    // pushes menu[i] (Escape, to leave, past its end), the i-th name entry pass ends pushing
    // named[i], a pause pushes paused (see pushInput), the i-th wait while play is held
    // pushes back[i], with the screen then kept in `held`; each pass ends with pass(i). Each wait
    // of the menu, a pass, the name entry or a pause is what the mixer hears after: "menu 0",
    // "pass 3", "name 1", "pause 0"...
    void run(std::vector<std::string> menu, std::function<void(int)> pass,
             std::vector<std::string> named = {}, std::string paused = "",
             std::vector<std::string> back = {"Back"}, Sounds* sounds = nullptr) {
        table = parseScores(
            "100\nAL\n100\nBO\n100\nCY\n100\nDI\n100\nED\n100\nFO\n100\nGU\n"
            "100\nHI\n100\nIO\n100\nJO\n");
        std::remove("data.dat");
        std::filesystem::remove("Images");
        game = Game();
        passes = menuWaits = nameEntryPasses = heldWaits = pauses = 0;
        const auto wait = [&](const char* name, int& count) {
            listening.after = name + std::to_string(count);
            return count++;
        };
        testWaits().onEventWait = [&] {
            if (game.playing) {  // held: no pass runs until the player is back and plays on
                held = pixels(screen);
                const int h = heldWaits++;
                pushInput(h < static_cast<int>(back.size()) ? back[h] : "");
                return;
            }
            EXPECT_EQ("1111111111", inked(230, 65, 10, 0, 14)) << "the listing's scores";
            EXPECT_TRUE(shows("menu.png", 4, 168, 162, 38)) << "the menu's prompts";
            const int m = wait("menu ", menuWaits);
            pushInput(m < static_cast<int>(menu.size()) ? menu[m] : "Escape");
        };
        testWaits().onDelay = [&](Uint32 ms) {
            if (ms == 50) {
                pass(wait("pass ", passes));
            } else if (ms == 80) {
                // The first pass draws "[A]A A" from x 50, a character every 10 pixels.
                EXPECT_TRUE(nameEntryPasses > 0 || (inked(50, 130, 7, 10) == "1111010" &&
                                                    shows("menu2.jpg", 150, 104, 150, 72)))
                    << "letters and prompts";
                const int n = wait("name ", nameEntryPasses);
                pushInput(n < static_cast<int>(named.size()) ? named[n] : "");
            } else if (ms == 3000) {
                wait("pause ", pauses);
                pushInput(paused);
            }
        };
        runLoop(game, *controls, file, screen, pictures, frameCounter, sounds);
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
    int frameCounter = 0, passes = 0, menuWaits = 0, nameEntryPasses = 0, heldWaits = 0, pauses = 0;
    std::string held;
};

// A pad's hat and stick move one platform a push; a window left holds play until the player is
// back, and a pad's START or P (not the handheld's START) until P or START again, with what
// was pressed meanwhile thrown away, and the passes go on where they stood.
TEST_F(MainLoopTest, MenuStartsLevelOneThenArrowsStickAndPadMoveAndCountersWrap) {
    // Pass by pass: the input pushed at its end, then where the player stands after the next.
    const struct {
        std::string input;
        int col, row;
    } steps[] = {{"Right", 1, 3},
                 {"Up", 1, 2},
                 {"Stick.Right", 2, 2},
                 {"Stick.Up", 2, 1},
                 {"Stick.Left", 1, 1},
                 {"Stick.Down", 1, 2},
                 {"Left Left Left", 0, 2},
                 {"Down Down", 0, 3},
                 {"Space Button.Start Stick.UpLeft ^Up", 0, 3},
                 {"Right Right", 2, 3},
                 {"Up Up Up Up Down", 2, 1},
                 {"Right Right Right", 4, 1},
                 {"Hat.Left Hat.Left ^Hat.Left Hat.Left ^Hat.Left", 2, 1},
                 {"Axis.Down Axis.Down ^Axis.Up", 2, 2},
                 {"Axis.Up Axis.Left ^Axis.Left ^Axis.Up", 1, 1},
                 {"Right Away", 2, 1},
                 {"Pad.Start Right", 2, 1},
                 {"", 2, 1},
                 {"Button.Select", 2, 1}};
    const int stepCount = std::end(steps) - std::begin(steps);
    frameCounter = 9995;
    std::vector<int> counters;
    std::string frameBack;
    const auto pass = [&](int pass) {
        counters.push_back(frameCounter);
        frameBack = pass == 17 ? pixels(screen) : frameBack;
        if (pass == 0) {
            EXPECT_EQ((std::vector<int>{1, 3, 0, 0, 3, true, true}), state(game));
            game = quietGame(1, 0, 3);
        } else if (pass <= stepCount) {
            const auto& step = steps[pass - 1];
            EXPECT_EQ(std::make_pair(step.col, step.row),
                      std::make_pair(game.playerCol, game.playerRow))
                << "after \"" << step.input << '"';
        }
        pushInput(pass < stepCount ? steps[pass].input : "");
    };
    run({"Right Stick.Right Button.Start"}, pass, {}, "",
        {"Left Back", "Down P"});  // moves are not read by the menu; START starts
    EXPECT_EQ(std::make_pair(2, 21), std::make_pair(menuWaits, passes));  // menu, play, menu
    EXPECT_EQ((std::vector<int>{9995, 10000, 0, 1, 15}),
              (std::vector<int>{counters[0], counters[5], counters[6], counters[7], frameCounter}));
    // Held twice, the last over the frame of the pass paused in, under a light band; that very
    // frame is shown again when the player plays on.
    Uint16 band = 0;
    std::memcpy(&band, held.data() + 112 * screen->pitch, sizeof band);
    EXPECT_EQ(std::make_tuple(2, asStored(screen, 200, 200, 200), true),
              std::make_tuple(heldWaits, Uint32{band}, held != frameBack));
}

// A game ended with a score: named and filed only above the tenth entry, with the letters
// chosen until a confirmation (up and down change the letter, left and right the cursor; codes
// run from 0 to 128 and a 0 ends the name), or as they stand on a quit request during play or
// name entry, after which the menu leaves without waiting.
TEST_F(MainLoopTest, ScoreAboveTheTenthIsNamedAndFiledEvenOnAQuit) {
    const std::string kIgnoredInNaming = "Escape Button.Start Button.Select Stick.UpLeft ^Up";
    const struct {
        int32_t score;
        const char* end;
        std::vector<std::string> letters;
        const char* name;
        int nameEntryPasses, menuWaits;
        std::string paused = "";  // pushed at a pause, which a fall from the start cell makes
        std::vector<std::string> back = {"Back"};  // pushed at each wait while play is held
        int heldWaits = 0;
    } cases[] = {
        {101, "Escape", {"Right Up Space"}, "ABA", 2, 2},
        {100, "Escape", {}, nullptr, 0, 2},
        {500, "Quit", {}, "AAA", 1, 1},
        {-5, "Quit", {}, nullptr, 0, 1},
        {300, "Escape", {"Up Button.X Up"}, "BAA", 2, 2},
        {300, "Escape", {"Up Quit"}, "BAA", 2, 1},
        {101, "Escape", {"Stick.Up Stick.Right Stick.Down Button.X"}, "B@A", 2, 2},
        {101, "Escape", {times(70, "Up"), "Right " + times(70, "Down") + "Space"}, "\x80", 3, 2},
        {101, "Escape", {times(65, "Down"), "Space"}, "", 3, 2},
        {101, "Escape", {"Left Up Right Right Right Right Right Up Up Space"}, "BAC", 2, 2},
        {101, "Escape", {"Space Up Space"}, "BAA", 2, 2},
        {101,
         "Escape",
         {kIgnoredInNaming, "Stick.Right Stick.Left Stick.Up", "Space"},
         "BAA",
         4,
         2},
        {101, "Escape", {"Right Up Right " + times(65, "Down") + "Quit"}, "AB", 2, 1},
        {0, "", {}, nullptr, 0, 1, "Right Quit"},  // the arrow is thrown away, the quit is not
        {0, "", {}, nullptr, 0, 1, "Away Right", {"Back Quit"}, 1},  // and the window left is not
        {101, "P", {"Right Up Space"}, "ABA", 2, 2, "", {"Escape"}, 1},  // paused, Escape ends it
        {500, "Pad.Start", {}, "AAA", 1, 1, "", {"Quit"}, 1}};           // and a quit the program
    for (const auto& c : cases) {
        const auto pass = [&](int pass) {
            if (pass == 0) {
                game = quietGame(1, 0, 3);
                game.score = c.score;
                game.startCell().present = c.paused.empty();
            }
            pushInput(pass == 0 ? c.end : pass == 1 ? "Space" : "");  // a key after the end is lost
        };
        run({"Space"}, pass, c.letters, c.paused, c.back);
        // A score not filed is kept until a new game.
        EXPECT_EQ(
            std::make_tuple(c.nameEntryPasses, c.menuWaits, c.name ? 11u : 10u,
                            c.name ? c.score : 100, c.name ? c.name : "AL", c.name ? 0 : c.score,
                            c.name ? formatScores(table) : "", 0, c.heldWaits),
            std::make_tuple(nameEntryPasses, menuWaits, table.size(), table[0].score,
                            std::string(table[0].name), game.score, folder.read("data.dat"),
                            game.playerCol, heldWaits))
            << "row " << &c - cases;
    }
}

// Each scripted event's effect starts in the pass it happens in, before any hold, and not
// before; the music of the level's band loops from the start of a game to its end, resting
// while play is paused or held; M silences the music's channel, S every channel, and each
// brings them back, even pressed during a three-second hold; the volume buttons step them.
TEST_F(MainLoopTest, EachEffectSoundsFromItsEventsPassOverTheBandsLoopingMusic) {
    const auto still = [this](const char* input) {
        frameCounter = 1;  // no tick: no platform shrinks, no enemy moves
        pushInput(input);
    };
    const struct {
        std::vector<std::string> menu, named;
        std::function<void(int)> pass;  // at the end of pass i, as run() takes it
        std::string paused;             // pushed at each three-second hold
        std::vector<std::string> back;  // pushed at each wait while play is held
        std::vector<std::string> heard;
    } games[] = {
        // The four pickups one after another, the portal after three hops, a fall, a capture,
        // the last life lost; the score named: a letter up, the cursor on, the name confirmed.
        {{"Space"},
         {"Up", "Right", "Space"},
         [&](int pass) {
             if (pass == 0) {
                 game = quietGame(11, 0, 0);
                 for (int kind = 0; kind < 4; ++kind) {
                     game.bonuses[kind] = Bonus{kind + 1, 0, true, true, 0, kind};
                 }
             } else if (pass >= 64 && pass <= 66) {
                 const int32_t score = game.score;
                 game = quietGame(12, 2, 2);
                 game.score = score;
                 game.lives = 66 - pass;
                 game.cell(2, 2).present = pass == 65;
                 game.enemies[0] = Enemy{2, 2, pass == 65, true, 0};
             }
             for (Bonus& bonus : game.bonuses) {  // once collected, never placed again
                 bonus.enabled = bonus.enabled && bonus.visible;
             }
             still((pass % 15 == 0 && pass <= 45) || (pass >= 60 && pass <= 62) ? "Right" : "");
         },
         "M",
         {},
         {"start after menu 0", "music1 looping after menu 0",
          // The game made level 11's: the third band's music.
          "stop after pass 0", "music3 looping after pass 0", "hop after pass 0",
          "points after pass 1", "hop after pass 15", "penalty after pass 16", "hop after pass 30",
          "life after pass 31", "hop after pass 45", "recall after pass 46", "hop after pass 60",
          "hop after pass 61", "hop after pass 62", "portal after pass 63",
          "music's volume 0 after pause 0", "fall after pass 64",
          "music's volume 128 after pause 1", "capture after pass 65",
          "music's volume 0 after pause 2", "gameover after pass 66", "stop after pass 67",
          "letter after name 0", "cursor after name 1", "confirm after name 2"}},
        // M at the menu: a game without music, until M again; the volume buttons step it; S
        // silences everything, and brings back all but the music M turned off meanwhile; a
        // pause and a hold; a game of over ten seconds, which the music fills.
        {{"M Space"},
         {},
         [&](int pass) {
             game = pass == 0 ? quietGame(1, 0, 3) : game;
             const std::map<int, const char*> input{
                 {5, "M"},  {10, "Volume.Down"}, {15, "Right"},  {20, "Volume.Up"},
                 {25, "S"}, {30, "M"},           {35, "S"},      {40, "M"},
                 {45, "P"}, {50, "Away"},        {211, "Escape"}};
             still(input.count(pass) != 0 ? input.at(pass) : "");
         },
         "",
         {"P", "Back"},
         {"music's volume 0 after menu 0", "start after menu 0", "music1 looping after menu 0",
          "music's volume 128 after pass 5", "volume 112 after pass 10",
          "music's volume 112 after pass 10", "hop after pass 15", "volume 128 after pass 20",
          "music's volume 128 after pass 20", "volume 0 after pass 25",
          "music's volume 0 after pass 25", "volume 128 after pass 35",
          "music's volume 128 after pass 40", "rest after pass 45", "resume after pass 45",
          "rest after pass 50", "resume after pass 50", "stop after pass 212"}},
    };
    for (const auto& g : games) {
        SCOPED_TRACE(::testing::Message() << "game " << &g - games);
        listening = Listener{};
        Sounds& sounds = listening.sounds;
        openSounds(sounds);
        ASSERT_TRUE(sounds.open);
        testRandom() = RandomDraws{std::deque<int>(200, 0), 0};  // a first level with no events
        run(g.menu, g.pass, g.named, g.paused, g.back, &sounds);
        closeSounds(sounds);
        EXPECT_EQ(g.heard, listening.heard);
    }
}

// A pad, plugged in once the game has started, plays from the menu on: START starts, the d-pad
// and the left stick (past half way, once a push) move, BACK ends the game, the d-pad chooses a
// letter and the south button confirms it, BACK leaves. Under the compatibility library only
// (ctest's gamepad_* runs): with SDL12COMPAT_USE_GAME_CONTROLLERS=1 every pad comes in SDL's
// controller order, otherwise in the Linux kernel's, as under SDL 1.2.
TEST_F(MainLoopTest, GamepadPlaysFromTheMenuInEveryLayout) {
    const char* const variable = std::getenv("SDL12COMPAT_USE_GAME_CONTROLLERS");
    const bool controllerOrder = variable && std::atoi(variable) != 0;  // unset: the kernel's
    if (SDL_Linked_Version()->patch < 50) {
        ASSERT_EQ(nullptr, variable) << "not on the compatibility library";
        GTEST_SKIP() << "runs on the compatibility library: ctest -R gamepad";
    }
    void* const sdl2 = dlopen("libSDL2-2.0.so.0", RTLD_NOW);  // which the library runs on
    // The dummy screen never has the focus that SDL2 asks of a pad's events by default.
    symbol<int(const char*, const char*)>(sdl2, "SDL_SetHint")(
        "SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1");
    const auto button = symbol<int(void*, int, Uint8)>(sdl2, "SDL_JoystickSetVirtualButton");
    const auto hat = symbol<int(void*, int, Uint8)>(sdl2, "SDL_JoystickSetVirtualHat");
    const auto axis = symbol<int(void*, int, Sint16)>(sdl2, "SDL_JoystickSetVirtualAxis");
    const struct {
        const char* layout;
        int buttons, hats;      // of the pad, beside its six axes
        int start, back, dpad;  // the buttons of START, BACK and the d-pad's first; -1: a hat
        bool controllerOrder;
    } pads[] = {{"Xbox, the kernel's order", 11, 1, 7, 6, -1, false},
                {"PlayStation, the kernel's order", 13, 1, 9, 8, -1, false},
                {"any known pad, SDL's controller order", 15, 0, 6, 4, 11, true}};
    // Held at each wait from the menu's first on: S START, B BACK, A the south button, u d l r
    // the d-pad, U D L R the left stick all the way, h a third of the way right. The game
    // ends with the player at (0, 1), after one step right, one up (however long the stick is
    // held), one left, none a third of the way and one up with BACK. The d-pad held on from
    // that last pass into the name entry is no new press there: one letter up, not two.
    const std::vector<std::string> script = {"S", "r", "",  "U", "U", "h", "",  "l", "Bu",
                                             "u", "",  "u", "",  "A", "",  "B", ""};
    for (const auto& pad : pads) {
        if (pad.controllerOrder != controllerOrder) {
            continue;
        }
        // Plugged in with six axes; SDL2's joysticks kept up while the game starts its own
        // anew, which would drop the pad.
        symbol<int(Uint32)>(sdl2, "SDL_InitSubSystem")(SDL_INIT_JOYSTICK);
        void* const made =
            symbol<void*(int)>(sdl2, "SDL_JoystickOpen")(symbol<int(int, int, int, int)>(
                sdl2, "SDL_JoystickAttachVirtual")(1, 6, pad.buttons, pad.hats));
        std::size_t step = 0;
        const auto next = [&] {
            ASSERT_LT(step, script.size()) << pad.layout << ": the game never left";
            const std::string& held = script[step++];
            const auto has = [&](char c) { return held.find(c) != std::string::npos; };
            const int numbers[] = {pad.start,    pad.back,     0,           pad.dpad,
                                   pad.dpad + 1, pad.dpad + 2, pad.dpad + 3};
            for (int i = 0; i < (pad.dpad < 0 ? 3 : 7); ++i) {
                button(made, numbers[i], has("SBAudlr"[i]));
            }
            if (pad.dpad < 0) {
                hat(made, 0,
                    has('u') * SDL_HAT_UP | has('d') * SDL_HAT_DOWN | has('l') * SDL_HAT_LEFT |
                        has('r') * SDL_HAT_RIGHT);
            }
            axis(made, 0, has('h') ? 10000 : has('L') ? -32767 : has('R') ? 32767 : 0);
            axis(made, 1, has('U') ? -32767 : has('D') ? 32767 : 0);
        };
        table = parseScores("100\nAL\n");
        game = Game();
        testWaits().onEventWait = next;
        testWaits().onDelay = [&](Uint32) {
            if (game.playing && game.score == 0) {
                game = quietGame(1, 0, 3);
                game.score = 101;
            }
            next();
        };
        runLoop(game, *controls, file, screen, pictures, frameCounter);
        symbol<void(void*)>(sdl2, "SDL_JoystickClose")(made);
        symbol<int(int)>(sdl2, "SDL_JoystickDetachVirtual")(0);
        symbol<void(Uint32)>(sdl2, "SDL_QuitSubSystem")(SDL_INIT_JOYSTICK);
        EXPECT_EQ(std::make_tuple(script.size(), 101, std::string("BAA"), 0, 1),
                  std::make_tuple(step, table[0].score, std::string(table[0].name), game.playerCol,
                                  game.playerRow))
            << pad.layout;
    }
}

}  // namespace
