// Music: the three pieces that loop under play, one for each band of five levels.
#pragma once

#include <vector>

#include "Sounds.h"

// music1.ogg for levels 1-5, music2.ogg for 6-10, music3.ogg for 11-15: each whole bars long,
// from silence to silence, so that it loops without a seam.
std::vector<Recipe> gameMusic();
