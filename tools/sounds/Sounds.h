// Sounds: the game's sound effects and its tune, each a list of voices.
#pragma once

#include <string>
#include <vector>

#include "Synth.h"

struct Sound {
    std::string file;
    std::vector<synth::Voice> voices;
    double seconds = 0;  // 0: until the last voice has faded
};

std::vector<Sound> gameSounds();
