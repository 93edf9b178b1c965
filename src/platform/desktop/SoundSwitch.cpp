// The sound switches on the desktop and the handheld: the mixer's channels silenced, or the
// tune's alone, the sounds playing on unheard; the game keeps the choice in its settings file.
#include "platform/SoundSwitch.h"

#include "sound/Volume.h"

bool switchSound(Sounds& sounds) {
    sounds.off = !sounds.off;
    applyVolume(sounds);
    return true;
}

bool switchMusic(Sounds& sounds) {
    sounds.musicOff = !sounds.musicOff;
    applyVolume(sounds);
    return true;
}
