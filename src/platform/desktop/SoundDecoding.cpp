// Sounds decoded from the bytes that were checked: the file is never opened again, so one
// swapped for a FIFO or another file since is never read.
#include "platform/SoundDecoding.h"

Mix_Chunk* decodeSound(const std::string&, const std::vector<Uint8>& bytes) {
    return Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
}
