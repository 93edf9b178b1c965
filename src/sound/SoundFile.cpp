// A sound file read as hostile input: a regular file of bounded size whose header is checked
// before SDL converts it, whole or as it plays.
#include "sound/SoundFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/SoundDecoding.h"

namespace {

// Ten times the tune's size: a file beyond it is no sound of the game's, and is not read whole.
constexpr off_t kMostBytes = 4 << 20;
constexpr std::uint32_t kMostRate = 96000;

std::uint32_t little(const std::vector<Uint8>& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | bytes[at + i];
    }
    return value;
}

// The file's bytes, or why there are none: an errno, "" for a missing file.
const char* readRegular(const std::string& path, std::vector<Uint8>& bytes) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
        return errno == ENOENT ? "" : std::strerror(errno);
    }
    // Looked at first: opening a FIFO or a device can wait or do anything.
    const int fd =
        S_ISREG(info.st_mode) ? open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1;
    if (fd < 0) {
        return S_ISREG(info.st_mode) ? std::strerror(errno) : "Not a regular file";
    }
    const char* why = nullptr;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {  // swapped since the look
        why = "Not a regular file";
    } else if (info.st_size > kMostBytes) {
        why = "larger than 4 MB";
    } else {
        bytes.resize(static_cast<std::size_t>(info.st_size));
        const ssize_t got = read(fd, bytes.data(), bytes.size());
        why = got < 0                                         ? std::strerror(errno)
              : static_cast<std::size_t>(got) != bytes.size() ? "changed while read"
                                                              : nullptr;
    }
    close(fd);
    return why;
}

bool endsWith(const std::string& text, const char* end) {
    const std::size_t length = std::strlen(end);
    return text.size() >= length && text.compare(text.size() - length, length, end) == 0;
}

// What is wrong with the WAV header, or null.
const char* checkWavHeader(const std::vector<Uint8>& bytes) {
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
        return "not a WAV file";
    }
    if (little(bytes, 4, 4) > bytes.size() - 8) {
        return "its RIFF chunk runs past the end of the file";
    }
    bool format = false;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::uint32_t size = little(bytes, at + 4, 4);
        if (size > bytes.size() - at - 8) {
            return "a chunk runs past the end of the file";
        }
        if (std::memcmp(bytes.data() + at, "fmt ", 4) == 0) {
            const std::uint32_t tag = size >= 16 ? little(bytes, at + 8, 2) : 0,
                                channels = size >= 16 ? little(bytes, at + 10, 2) : 0,
                                rate = size >= 16 ? little(bytes, at + 12, 4) : 0,
                                align = size >= 16 ? little(bytes, at + 20, 2) : 0,
                                bits = size >= 16 ? little(bytes, at + 22, 2) : 0;
            if (tag != 1 || channels < 1 || channels > 2 || rate < 1 || rate > kMostRate ||
                (bits != 8 && bits != 16) || align != channels * bits / 8) {
                return "not PCM of 8 or 16 bits, 1 or 2 channels and 1 to 96000 Hz";
            }
            format = true;
        } else if (std::memcmp(bytes.data() + at, "data", 4) == 0) {
            return format ? nullptr : "no format before its samples";
        }
        at += 8 + size + (size & 1);
    }
    return "no samples";
}

// What is wrong with the start of an Ogg stream, or null.
const char* checkOggHeader(const std::vector<Uint8>& bytes) {
    return bytes.size() < 4 || std::memcmp(bytes.data(), "OggS", 4) != 0 ? "not an Ogg stream"
                                                                         : nullptr;
}

// The file's bytes, read and checked, or why there are none ("" for a missing file).
const char* readSound(const std::string& path, std::vector<Uint8>& bytes) {
    const char* why = readRegular(path, bytes);
    return why != nullptr           ? why
           : endsWith(path, ".ogg") ? checkOggHeader(bytes)
                                    : checkWavHeader(bytes);
}

// Says why the sound at path stays silent, unless it is missing.
void tell(const std::string& path, const char* why) {
    if (why != nullptr && why[0] != '\0') {
        std::fprintf(stderr, "Couldn't load sound %s: %s; it stays silent\n", path.c_str(), why);
    }
}

}  // namespace

Mix_Chunk* loadSoundFile(const std::string& path) {
    std::vector<Uint8> bytes;
    const char* why = readSound(path, bytes);
    Mix_Chunk* chunk = nullptr;
    if (why == nullptr) {
        chunk = decodeSound(path, bytes);
        why = chunk == nullptr ? Mix_GetError() : nullptr;
    }
    tell(path, why);
    return chunk;
}

void loadMusicFile(const std::string& path, Stream& stream) {
    const char* why = readSound(path, stream.bytes);
    if (why == nullptr) {
        decodeMusic(path, stream);
        why = stream.music == nullptr ? Mix_GetError() : nullptr;
    }
    if (stream.music == nullptr) {
        stream.bytes = {};
    }
    tell(path, why);
}
