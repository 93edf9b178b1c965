// Starting SDL on the desktop and the handheld, where without a display (over SSH, say) SDL
// falls back to a driver that shows the player nothing.
#include "platform/Display.h"

#include <SDL/SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace {
// What SDL starts when it finds no display: the classic library's text art, written to the
// terminal, and the compatibility library's SDL2 driver that draws into memory. Its dummy driver
// is only ever started by name, as the tests do; the handheld's own shows on its screen.
constexpr const char* kUnseenDrivers[] = {"caca", "aalib", "offscreen"};

bool shows(const char* driver) {
    for (const char* unseen : kUnseenDrivers) {
        if (std::strcmp(driver, unseen) == 0) {
            return false;
        }
    }
    return true;
}
}  // namespace

bool startSdl() {
    // The text-art drivers draw on standard output from the start: it goes nowhere until the
    // driver is known to be one the player can see.
    std::fflush(stdout);
    const int output = dup(STDOUT_FILENO);
    const int nowhere = open("/dev/null", O_WRONLY | O_CLOEXEC);
    const bool silenced = output >= 0 && nowhere >= 0 && dup2(nowhere, STDOUT_FILENO) >= 0;
    const bool started = SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK) == 0;
    char driver[32] = "";
    const bool seen =
        !started || SDL_VideoDriverName(driver, sizeof driver) == nullptr || shows(driver);
    if (!seen) {
        // Shut down while standard output still goes nowhere: it puts the terminal back.
        SDL_Quit();
    }
    if (silenced) {
        dup2(output, STDOUT_FILENO);
    }
    for (const int fd : {output, nowhere}) {
        if (fd >= 0) {
            close(fd);
        }
    }
    if (!seen) {
        SDL_SetError(
            "found no display and fell back to its %s driver, which shows nothing; "
            "set DISPLAY or WAYLAND_DISPLAY to a running display",
            driver);
    }
    return started && seen;
}
