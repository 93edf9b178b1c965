// Starting the effects on the mixer's channels, and the music streamed beside them.
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
        // The browser's mixer would play a second piece over a first one still playing, and
        // fails on a piece it never loaded.
        Mix_HaltMusic();
        if (sounds->music[piece].music != nullptr) {
            Mix_PlayMusic(sounds->music[piece].music, -1);
        }
        sounds->tune = piece;
    }
}

void stopTune(Sounds* sounds) {
    if (sounds != nullptr && sounds->open) {
        Mix_HaltMusic();
        sounds->tune = kNoTune;
    }
}

void pauseTune(const Sounds* sounds) {
    if (sounds != nullptr && sounds->open) {
        Mix_PauseMusic();
    }
}

void resumeTune(const Sounds* sounds) {
    if (sounds != nullptr && sounds->open) {
        Mix_ResumeMusic();
    }
}
