// All sound off and on again in the browser: the page's switch, which its Sound button also
// turns and which it keeps in the site's storage (SoundSwitch.js).
#include <emscripten.h>

#include "platform/SoundSwitch.h"

void switchSound(Sounds&) {
    EM_ASM(Module.switchSound());
}
