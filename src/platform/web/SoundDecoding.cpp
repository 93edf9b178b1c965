// Sounds decoded by the browser, by name: the bytes checked here are the page's stand-in, and
// the page hands the browser's decoder the file it fetched for that name (SoundSwitch.js).
#include "platform/SoundDecoding.h"

Mix_Chunk* decodeSound(const std::string& path, const std::vector<Uint8>&) {
    return Mix_LoadWAV(path.c_str());
}

// The browser's mixer decodes music whole, as it does an effect, and loops it as it is.
void decodeMusic(const std::string& path, Stream& stream) {
    stream.music = Mix_LoadMUS(path.c_str());
}
