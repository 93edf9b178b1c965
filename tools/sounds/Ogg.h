// Ogg: the music's files, Ogg Vorbis at the synthesiser's rate, a tenth the size of a WAV.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes the samples to path as a mono Ogg Vorbis file; false when it cannot.
bool writeOgg(const std::string& path, const std::vector<std::int16_t>& samples);
