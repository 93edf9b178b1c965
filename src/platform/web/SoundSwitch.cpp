// The sound switches in the browser: the page's, which its Music and Sound buttons also turn
// and which it keeps in the site's storage (SoundSwitch.js).
#include <emscripten.h>

#include "platform/SoundSwitch.h"

bool switchSound(Sounds&) {
    EM_ASM(Module.switchSound());
    return false;
}

bool switchMusic(Sounds&) {
    EM_ASM(Module.switchMusic());
    return false;
}
