// Where the rules draw their random numbers: the game links the C library's rand()
// (StdRandom.cpp); the tests link a stand-in that hands out the values a test queues.
#pragma once

// The next value of the game's random sequence, as rand() gives it.
int randomDraw();
