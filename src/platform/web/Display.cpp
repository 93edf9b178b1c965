// Starting SDL in the browser, which always draws on the page's canvas.
#include "platform/Display.h"

#include <SDL/SDL.h>

bool startSdl() {
    return SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK) == 0;
}
