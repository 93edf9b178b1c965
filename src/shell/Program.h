// The program: start-up, the splash pictures, the main loop and shut-down.
#pragma once

// Runs the game in the working folder, from start-up to the saved score table and SDL
// shut down, when the player leaves. Returns the exit status: 1 when the platform or the
// pictures cannot be set up. What leaving means then is the platform's program entry's.
int runProgram();
