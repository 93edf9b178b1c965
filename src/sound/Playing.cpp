// Starting the effects and the music on the mixer's channels.
#include "sound/Playing.h"

namespace {
constexpr int kLevelsABand = 5;
}  // namespace

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

Music musicFor(int level) {
    const int band = (level - 1) / kLevelsABand;
    return static_cast<Music>(band < 0 ? 0 : band < kMusicCount ? band : kMusicCount - 1);
}

void startTune(Sounds* sounds, int level) {
    const int piece = static_cast<int>(musicFor(level));
    if (sounds != nullptr && sounds->open && sounds->tune != piece) {
        // The browser's mixer would play a second piece over a first one still on the channel.
        Mix_HaltChannel(kTuneChannel);
        Mix_PlayChannel(kTuneChannel, sounds->music[piece], -1);
        sounds->tune = piece;
    }
}

void stopTune(Sounds* sounds) {
    if (sounds != nullptr && sounds->open) {
        Mix_HaltChannel(kTuneChannel);
        sounds->tune = kNoTune;
    }
}

void pauseTune(const Sounds* sounds) {
    if (sounds != nullptr && sounds->open) {
        Mix_Pause(kTuneChannel);
    }
}

void resumeTune(const Sounds* sounds) {
    if (sounds != nullptr && sounds->open) {
        Mix_Resume(kTuneChannel);
    }
}
