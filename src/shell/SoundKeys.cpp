// The keys that set the sound, on every screen that reads input.
#include "shell/SoundKeys.h"

#include "platform/SoundSwitch.h"
#include "shell/Input.h"
#include "sound/Volume.h"

void applySoundInput(Sounds* sounds, const SDL_Event& event) {
    if (sounds == nullptr) {
        return;
    }
    if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_m) {
        switchSound(*sounds);
    } else if (event.type == SDL_JOYBUTTONDOWN && (event.jbutton.button == kVolumeUpButton ||
                                                   event.jbutton.button == kVolumeDownButton)) {
        changeVolume(*sounds, event.jbutton.button == kVolumeUpButton ? 1 : -1);
    }
}
