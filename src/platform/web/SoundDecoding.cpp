// Sounds decoded by the browser, by name: the bytes checked here are the page's stand-in, and
// the page hands the browser's decoder the file it fetched for that name (SoundSwitch.js).
#include "platform/SoundDecoding.h"

Mix_Chunk* decodeSound(const std::string& path, const std::vector<Uint8>&) {
    return Mix_LoadWAV(path.c_str());
}
