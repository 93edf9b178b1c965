// The player's sound switches kept from run to run in "settings.txt" in the working folder,
// beside the score table: a line "music on" or "music off", a line "sound on" or "sound off".
#pragma once

struct Sounds;

// Sets the switches from the file. A missing file is a first run: both on, silently. A file
// that is not a regular file (a link, a FIFO, a folder), cannot be read, is too large or has a
// line of anything else gives both on too, and is said once on standard error. Never blocks.
void loadSettings(Sounds& sounds);
// Writes the switches to the file, through a temporary file renamed over it (or in place where
// the folder refuses one). A save that fails is said once on standard error; play goes on.
void saveSettings(Sounds& sounds);
