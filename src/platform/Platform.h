// What the desktop and handheld game and the browser's do differently at start-up and when
// scores are kept.
#pragma once

// The random generator's seed for this run.
unsigned randomSeed();
// Whether the run opens with the splash pictures: the page's "Play again" goes straight to
// the menu.
bool showsSplash();
// Called on every pass of the name entry with the score file's lines for the score under the
// letters as they stand, then with null once the name is confirmed. The browser keeps them as
// they change, so that a page closed meanwhile still files the score at its next visit; on the
// desktop and the handheld every way of ending the game files the letters anyway.
void nameEntryStands(const char* lines);
// Called before every save of the score file: brings it up to date with what other games have
// stored meanwhile where they share no lock, so that the save's fresh reading sees it.
void scoresToBeSaved();
// Called after every save of the score file, once the file is complete where the game reads it.
void scoresSaved();
// Called once the game has saved for the last time: every file is made to outlast a power cut.
void flushFileSystems();
