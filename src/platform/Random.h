// Where the rules draw their random numbers: one sequence, seeded once at start-up. On the
// desktop and the handheld it is the C library's rand(); in the browser the same algorithm
// (its own C library's gives other numbers); the tests link a stand-in that hands out the values
// a test queues.
#pragma once

// Starts the sequence again from seed, as srand() does.
void seedRandom(unsigned seed);
// The next value of the game's random sequence, as rand() gives it.
int randomDraw();
