// Sounds: the recipes of the game's sound effects and music, each a list of voices.
#pragma once

#include <string>
#include <vector>

#include "Synth.h"

struct Recipe {
    std::string file;  // the sound's file, as src/sound/SoundList.h lists it
    std::vector<synth::Voice> voices;
    double seconds = 0;  // 0: until the last voice has faded
};

std::vector<Recipe> soundRecipes();
