// How loud the sounds play: all off, the music off, or the handheld's volume.
#include "sound/Volume.h"

#include <algorithm>

void applyVolume(const Sounds& sounds) {
    // The mixer has no channels to set before it is open.
    if (sounds.open) {
        // Every channel and the music change between the same two mixes.
        SDL_LockAudio();
        Mix_Volume(-1, sounds.off ? 0 : sounds.volume);
        Mix_VolumeMusic(sounds.off || sounds.musicOff ? 0 : sounds.volume);
        SDL_UnlockAudio();
    }
}

void changeVolume(Sounds& sounds, int steps) {
    sounds.volume = std::clamp(sounds.volume + steps * kVolumeStep, 0, kFullVolume);
    applyVolume(sounds);
}
