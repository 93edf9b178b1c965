// The score file on disk: reading it, saving the table under its lock beside it, and what a
// run says when it cannot keep its scores.
#pragma once

#include <cstdint>
#include <string>

#include "shell/ScoreTable.h"

// Reads path a piece at a time, keeping only the ten best entries, so memory stays bounded
// whatever the file's size. A missing file gives ten empty entries. Only a regular file is
// opened, and without blocking: anything else (a folder, a FIFO, a device) cannot be read.
// When the file exists but cannot be read, the table holds what came before the failure and
// *failure, if given, is not 0 (an errno, or kNotRegularFile of shell/PosixFiles.h); otherwise
// it gets 0. *unlikeSaved, if given, tells whether the text holds what a save never writes.
ScoreTable loadScores(const char* path, int* failure = nullptr, bool* unlikeSaved = nullptr);

// The score file of one run, from start-up through every save.
struct ScoreFile {
    std::string path;
    ScoreTable table;  // as the menu shows it
    // The entries this run filed since its last save that succeeded.
    ScoreTable filed;
    // False once the file has been found unreadable, not a regular file, or not writable by
    // this player: it is then never written over, so the scores it may hold are not lost.
    bool writable = true;
    // Set once a save has gone in place, not atomically, and said so.
    bool savedInPlace = false;
};

// Loads path; a file that will not be saved to is said once on standard error, with why.
ScoreFile openScoreFile(const char* path);
// Adds an entry to the table and to the entries the next save brings to the file.
void fileScore(ScoreFile& file, int32_t score, const char* name);
// Saves under an exclusive lock on the file beside the one replaced (its name and ".lock"):
// reads the file again, adds this run's entries filed since the last save, and writes the ten
// best through a temporary file renamed over it; a file that holds what a save never writes (a
// hand edit's) is first kept beside it as it was, as a new file named after it, ".damaged-" and
// its time, and said; where no copy can be made, nothing is saved; the table then shows the result.
// A lock not had within two seconds is done without, and said; so is, once, a save written in place
// because the folder refused the temporary file. Returns true when saved.
bool saveScoreFile(ScoreFile& file);
