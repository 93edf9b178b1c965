// The sounds loaded at start-up from Sounds/, and the device they play on.
#include "sound/Sounds.h"

#include <SDL/SDL.h>

#include <cstdio>
#include <string>

#include "sound/SoundFile.h"

namespace {
constexpr int kRate = 22050;
// 23 ms of sound a mix: an effect starts within a pass of 50 ms of its event.
constexpr int kMixSamples = 512;
// Room for the effects that may sound at once; the music plays beside them.
constexpr int kChannels = 8;
}  // namespace

void openSounds(Sounds& sounds) {
    // Shut down again only once started: the compatibility library, asked to shut down an audio
    // part it never started, stops its events too, and the game then takes no key, close button
    // or signal.
    const bool started = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (!started || Mix_OpenAudio(kRate, AUDIO_S16SYS, 1, kMixSamples) < 0) {
        // Over SSH, on a server or with a busy device: the game plays on without sound.
        std::fprintf(stderr, "Couldn't open the audio device: %s\n", SDL_GetError());
        if (started) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
        return;
    }
    sounds.open = true;
    Mix_AllocateChannels(kChannels);
    // Null, and silent, for a file that is missing or that the mixer cannot read.
    for (int i = 0; i < kEffectCount; ++i) {
        sounds.effects[i] = loadSoundFile(std::string("Sounds/") + kEffectFiles[i]);
    }
    // Only read and opened here: the music is decoded as it plays, a mix at a time.
    for (int i = 0; i < kMusicCount; ++i) {
        loadMusicFile(std::string("Sounds/") + kMusicFiles[i], sounds.music[i]);
    }
}

void closeSounds(Sounds& sounds) {
    if (!sounds.open) {
        return;
    }
    Mix_HaltMusic();
    Mix_HaltChannel(-1);
    for (Mix_Chunk*& effect : sounds.effects) {
        Mix_FreeChunk(effect);
        effect = nullptr;
    }
    for (Stream& piece : sounds.music) {
        Mix_FreeMusic(piece.music);
        if (piece.source != nullptr) {
            SDL_RWclose(piece.source);
        }
        piece = Stream{};
    }
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    sounds.open = false;
}
