// Starting the effects and the tune on the mixer's channels.
#include "sound/Playing.h"

#include "sound/Sounds.h"

void playEffect(const Sounds* sounds, Effect effect) {
    if (sounds != nullptr && sounds->open) {
        Mix_PlayChannel(-1, sounds->effects[static_cast<int>(effect)], 0);
    }
}

void playCues(Cues& cues, const Sounds* sounds) {
    if (sounds == nullptr || cues.pending == 0) {
        return;
    }
    for (int i = 0; i < kEffectCount; ++i) {
        if ((cues.pending >> i & 1u) != 0) {
            playEffect(sounds, static_cast<Effect>(i));
        }
    }
    cues.pending = 0;
}

void startTune(const Sounds* sounds) {
    if (sounds != nullptr && sounds->open) {
        // The browser's mixer would play a second tune over a first one still on the channel.
        Mix_HaltChannel(kTuneChannel);
        Mix_PlayChannel(kTuneChannel, sounds->music[static_cast<int>(Music::Tune)], -1);
    }
}

void stopTune(const Sounds* sounds) {
    if (sounds != nullptr && sounds->open) {
        Mix_HaltChannel(kTuneChannel);
    }
}
