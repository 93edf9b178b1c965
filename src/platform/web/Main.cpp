// Program entry in the browser: play and save, then let the page say that the game has ended.
// There is no handheld menu to hand over to.
#include <emscripten.h>
#include <sys/stat.h>

#include "shell/Program.h"

int main() {
    // The browser's C library reports a mask of every permission, which would save the score
    // file unreadable (mode 0) for the next visit; the file systems it emulates apply none.
    umask(022);
    const int status = runProgram();
    EM_ASM({ Module.gameEnded($0); }, status);
    return status;
}
