#include "Wav.h"

#include <fstream>

#include "Synth.h"

bool writeWav(const std::string& path, const std::vector<std::int16_t>& samples) {
    std::string bytes;
    // Byte by byte, lowest first, so a big-endian build machine writes the same file.
    const auto put = [&bytes](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) {
            bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    };
    const auto data = static_cast<std::uint32_t>(2 * samples.size());
    bytes += "RIFF";
    put(36 + data, 4);
    bytes += "WAVEfmt ";
    put(16, 4);  // the format chunk's size
    put(1, 2);   // PCM
    put(1, 2);   // one channel
    put(synth::kSampleRate, 4);
    put(2 * synth::kSampleRate, 4);  // bytes a second
    put(2, 2);                       // bytes a sample
    put(16, 2);                      // bits a sample
    bytes += "data";
    put(data, 4);
    for (const std::int16_t s : samples) {
        put(static_cast<std::uint16_t>(s), 2);
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}
