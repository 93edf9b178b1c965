// A gamepad for the port test, preloaded into the game on the stand-in device: SDL2 (which the
// compatibility library runs on) makes it a game controller, and each letter appended to the
// file DWINDLE_PAD_FILE names a button to press for a moment: A, B for BACK, S for START.
#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

// SDL2's numbers, which SDL 1.2's header does not have.
constexpr unsigned kInitJoystick = 0x200;
constexpr int kGameController = 1;
// The letters the file holds, and the buttons they press.
constexpr char kLetters[] = "ABS";
constexpr int kButtons[] = {0, 4, 6};

void* sdl2() {
    return dlopen("libSDL2-2.0.so.0", RTLD_NOW);
}

template <typename F>
F* call(const char* name) {
    return reinterpret_cast<F*>(dlsym(sdl2(), name));
}

// Presses the buttons the file names, each in turn, for a second: a few of the emulated game's
// passes on a busy machine, which reads the pad only once a pass.
void pressButtons(void* pad, const char* path) {
    const auto press = call<int(void*, int, unsigned char)>("SDL_JoystickSetVirtualButton");
    long done = 0;
    for (;;) {
        std::FILE* file = std::fopen(path, "r");
        const int letter =
            file != nullptr && std::fseek(file, done, SEEK_SET) == 0 ? std::fgetc(file) : EOF;
        if (file != nullptr) {
            std::fclose(file);
        }
        if (letter == EOF) {
            usleep(20000);
            continue;
        }
        ++done;
        const char* found = letter != '\0' ? std::strchr(kLetters, letter) : nullptr;
        if (found != nullptr) {
            const int button = kButtons[found - kLetters];
            press(pad, button, 1);
            usleep(1000000);
            press(pad, button, 0);
        }
    }
}

// Plugged in as the game starts SDL: the game's call comes here first. Not while the library
// loads, where SDL2's own threads would wait on the loader.
void attachPad() {
    const char* path = std::getenv("DWINDLE_PAD_FILE");
    if (path == nullptr || sdl2() == nullptr) {
        return;
    }
    // The game has no window to be in front: the pad counts all the same.
    call<int(const char*, const char*)>("SDL_SetHint")("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1");
    // Held up while the game starts its joystick part anew at each menu, which would drop it.
    call<int(unsigned)>("SDL_InitSubSystem")(kInitJoystick);
    const int index =
        call<int(int, int, int, int)>("SDL_JoystickAttachVirtual")(kGameController, 6, 15, 0);
    void* pad = call<void*(int)>("SDL_JoystickOpen")(index);
    if (pad != nullptr) {
        std::thread(pressButtons, pad, path).detach();
    }
}

}  // namespace

extern "C" int SDL_Init(unsigned flags) {
    static bool attached = false;
    if (!attached) {
        attached = true;
        attachPad();
    }
    return reinterpret_cast<int (*)(unsigned)>(dlsym(RTLD_NEXT, "SDL_Init"))(flags);
}
