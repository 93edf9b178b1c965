// All sound off and on again on the desktop and the handheld: the mixer's channels silenced,
// the tune and the effects playing on unheard, for the rest of the run.
#include "platform/SoundSwitch.h"

#include "sound/Volume.h"

void switchSound(Sounds& sounds) {
    sounds.off = !sounds.off;
    applyVolume(sounds);
}
