// The program: start-up, the splash pictures, the main loop and shut-down.
#pragma once

// Runs the game in the working folder, from start-up to the saved score table and SDL
// shut down. Returns the exit status: 1 when the platform or the pictures cannot be set up.
int runProgram();

// Replaces the process with the handheld's menu program; returns only if that fails.
void handOverToMenu();
