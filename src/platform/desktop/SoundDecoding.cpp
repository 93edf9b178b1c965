// Sounds decoded from the bytes that were checked: the file is never opened again, so one
// swapped for a FIFO or another file since is never read.
#include "platform/SoundDecoding.h"

Mix_Chunk* decodeSound(const std::string&, const std::vector<Uint8>& bytes) {
    return Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
}

void decodeMusic(const std::string&, Stream& stream) {
    // SDL_mixer 1.2.12 never closes the reader it streams from, not even when it cannot open it.
    stream.source = SDL_RWFromConstMem(stream.bytes.data(), static_cast<int>(stream.bytes.size()));
    stream.music = Mix_LoadMUS_RW(stream.source);
    if (stream.music == nullptr) {
        SDL_RWclose(stream.source);
        stream.source = nullptr;
    }
}
