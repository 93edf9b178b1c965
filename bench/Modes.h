// The bench binary's ways to run: the timings, or one measuring job for the scripts.
#pragma once

// Times the play pass, its floor and the board copy in every band, then prints a summary.
int runTimings(int argc, char** argv);
// Runs a pass kind ("play", the direct-call "floor", the "blits" floor or the board "copy")
// n times on a band's full board, for callgrind: only the calls of measuredPass are counted.
int runInstructionJob(const char* kind, int level, const char* frame, int n);
// Starts up as the game does, then plays n passes of a scripted game; the thread is renamed
// "dw-play" before the first pass and "dw-done" after the last, for strace to find.
int runPlayJob(int n);
// Plays n passes of the scripted game at the game's pace with its sounds, then prints the share
// of a core that the game's thread and the mixer's thread each took.
int runSoundJob(int n);
// Times n start-ups: SDL, the video mode, the joystick, the pictures and sounds, the first
// splash shown.
int runStartupJob(int n);
// Plays the first twenty passes of a level and saves the screen as a BMP picture.
int runShotJob(int level, const char* path);
