// The real random draws, linked into the game and the benchmarks only.
#include <cstdlib>

#include "game/Random.h"

int randomDraw() {
    return std::rand();
}
