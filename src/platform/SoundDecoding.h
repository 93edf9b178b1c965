// How a sound file, once read and checked, becomes a chunk the mixer plays or music it streams.
#pragma once

#include <SDL/SDL_mixer.h>

#include <string>
#include <vector>

// The sound of the file at `path`, whose checked bytes are `bytes`; null when it cannot be
// decoded.
Mix_Chunk* decodeSound(const std::string& path, const std::vector<Uint8>& bytes);

// A piece of music as the mixer streams it, a mix at a time while it plays, and what it reads
// from, which lives as long as it.
struct Stream {
    std::vector<Uint8> bytes;     // the file's, checked
    SDL_RWops* source = nullptr;  // reading them, where the mixer reads from memory
    Mix_Music* music = nullptr;   // null when it cannot be decoded
};

// Opens the music of the file at `path`, whose checked bytes are `stream.bytes`.
void decodeMusic(const std::string& path, Stream& stream);
