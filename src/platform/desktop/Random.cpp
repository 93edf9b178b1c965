// The random sequence on the desktop and the handheld: the C library's own.
#include "platform/Random.h"

#include <cstdlib>

void seedRandom(unsigned seed) {
    std::srand(seed);
}

int randomDraw() {
    return std::rand();
}
