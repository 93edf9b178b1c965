// The desktop and handheld side of the platform: a seed from the clock, files on a real disk.
#include <unistd.h>

#include <ctime>

#include "platform/Platform.h"

unsigned randomSeed() {
    return static_cast<unsigned>(std::time(nullptr));
}

bool showsSplash() {
    return true;
}

void nameEntryStands(const char*) {}

// The save itself syncs the file and its folder.
// Every game on this machine saves to the one file, under its lock.
void scoresToBeSaved() {}

void scoresSaved() {}

void flushFileSystems() {
    sync();
}
