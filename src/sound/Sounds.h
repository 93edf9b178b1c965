// The sounds loaded at start-up from Sounds/, the device they play on, and the player's
// setting of them.
#pragma once

#include <SDL/SDL_mixer.h>

#include <cstdint>
#include <iterator>

#include "platform/SoundDecoding.h"
#include "sound/Effects.h"

// The pieces of music, as sound/SoundList.h lists them, and their files in Sounds/.
enum class Music : std::uint8_t {
#define MUSIC(name, file) name,
#include "sound/SoundList.h"
};
inline constexpr const char* kMusicFiles[] = {
#define MUSIC(name, file) file,
#include "sound/SoundList.h"
};
constexpr int kMusicCount = static_cast<int>(std::size(kMusicFiles));
// No piece playing.
constexpr int kNoTune = -1;

// Volumes as SDL_mixer counts them; the handheld's buttons move by a step.
constexpr int kFullVolume = MIX_MAX_VOLUME;
constexpr int kVolumeStep = MIX_MAX_VOLUME / 8;

struct Sounds {
    Mix_Chunk* effects[kEffectCount] = {};  // null where a file is missing or broken
    Stream music[kMusicCount];              // each file kept whole, decoded as it plays
    bool open = false;         // the device is open: without one nothing is loaded or played
    bool off = false;          // all sound off (S), on the desktop and the handheld
    bool musicOff = false;     // the music off (M), the effects heard, likewise
    int volume = kFullVolume;  // the handheld's volume, 0 to kFullVolume
    bool unsaved = false;      // the switches could not be kept, which has been said
    int tune = kNoTune;        // the piece of music playing, a Music
};

// Opens the audio device at the files' own format (22050 Hz, signed 16-bit, mono), so that
// the mixer adds their samples as they are, and loads every sound. Without a device the game
// plays silently: this says why once on standard error, and loads nothing.
void openSounds(Sounds& sounds);
// Stops and frees every sound and closes the device.
void closeSounds(Sounds& sounds);
