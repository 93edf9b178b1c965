// The keys that set the sound, on every screen that reads input.
#include "shell/SoundKeys.h"

#include "platform/SoundSwitch.h"
#include "shell/Input.h"
#include "shell/Settings.h"
#include "sound/Volume.h"

void applySoundInput(Sounds* sounds, const SDL_Event& event) {
    if (sounds == nullptr) {
        return;
    }
    const SDLKey key = event.type == SDL_KEYDOWN ? event.key.keysym.sym : SDLK_UNKNOWN;
    if (key == SDLK_m || key == SDLK_s) {
        // Kept by the game, the switches are saved at each change, as a player leaves a game
        // in any way at all.
        if (key == SDLK_m ? switchMusic(*sounds) : switchSound(*sounds)) {
            saveSettings(*sounds);
        }
    } else if (event.type == SDL_JOYBUTTONDOWN && (event.jbutton.button == kVolumeUpButton ||
                                                   event.jbutton.button == kVolumeDownButton)) {
        changeVolume(*sounds, event.jbutton.button == kVolumeUpButton ? 1 : -1);
    }
}
