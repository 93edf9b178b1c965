// The browser's side of the platform: a seed from the page's address, scores kept in the
// browser's IndexedDB by the page (platform.js), and a name entry kept as it is made.
#include <emscripten.h>

#include <ctime>

#include "platform/Platform.h"

namespace {
// Waits until IndexedDB has the table under /scores, so a tab closed right after a score is
// filed keeps it.
EM_ASYNC_JS(void, keepScores, (), { await new Promise(Module.keepScores); });
// Reads /scores back from IndexedDB, where another tab of the site may have saved since.
EM_ASYNC_JS(void, readStoredScores, (), { await new Promise(Module.readStoredScores); });
}  // namespace

// "?seed=N" in the address names a game, for replaying one and for tests; otherwise the clock.
unsigned randomSeed() {
    const double seed = EM_ASM_DOUBLE({ return Module.seedFromAddress(); });
    return seed >= 0 ? static_cast<unsigned>(seed) : static_cast<unsigned>(std::time(nullptr));
}

// Played again from the page, the game goes straight to the menu (Main.js).
bool showsSplash() {
    return EM_ASM_INT({ return Module.showsSplash ? 1 : 0; }) != 0;
}

// The page stores the entry as it stands, for a page closed before it is confirmed.
void nameEntryStands(const char* lines) {
    EM_ASM({ Module.nameEntryStands($0); }, lines);
}

// Tabs share IndexedDB but no lock: each save starts from what is stored there.
void scoresToBeSaved() {
    readStoredScores();
}

void scoresSaved() {
    keepScores();
}

// Each save is in IndexedDB by the time it returns.
void flushFileSystems() {}
