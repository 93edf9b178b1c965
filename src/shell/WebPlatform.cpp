// The browser's side of the platform: a seed from the page's address, scores kept in the
// browser's IndexedDB, mounted at /scores by the page before the game starts.
#include <emscripten.h>

#include <ctime>

#include "shell/Platform.h"

namespace {
// Copies the files under /scores into IndexedDB and waits until it has them, so a tab closed
// right after a score is filed keeps it. A failure is said on the console, as the desktop
// says a failed save on standard error.
EM_ASYNC_JS(void, writeScoresThrough, (), {
    const error = await new Promise(function(done) { FS.syncfs(false, done); });
    if (error) {
        err("Couldn't keep the scores in the browser: " + error);
    }
});
}  // namespace

// "?seed=N" in the address names a game, for replaying one and for tests; otherwise the clock.
unsigned randomSeed() {
    const double seed = EM_ASM_DOUBLE({
        const found = /[?&]seed=([0-9]{
            1, 10})(&|$)/.exec(location.search);
        return found ? Number(found[1]) % 4294967296 : -1;
    });
    return seed >= 0 ? static_cast<unsigned>(seed) : static_cast<unsigned>(std::time(nullptr));
}

// A page is closed without asking the game: nothing makes a quit request.
bool quitWaiting() {
    return false;
}

void scoresSaved() {
    writeScoresThrough();
}

void flushFileSystems() {
    scoresSaved();
}
