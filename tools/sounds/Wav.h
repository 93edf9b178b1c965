// Wav: the sound files, 16-bit signed little-endian mono PCM at the synthesiser's rate.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes the samples to path as a WAV file; false when it cannot.
bool writeWav(const std::string& path, const std::vector<std::int16_t>& samples);
