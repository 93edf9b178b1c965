// How a sound file, once read and checked, becomes a chunk the mixer plays.
#pragma once

#include <SDL/SDL_mixer.h>

#include <string>
#include <vector>

// The sound of the file at `path`, whose checked bytes are `bytes`; null when it cannot be
// decoded.
Mix_Chunk* decodeSound(const std::string& path, const std::vector<Uint8>& bytes);
