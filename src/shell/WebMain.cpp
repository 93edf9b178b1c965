// Program entry in the browser: play and save, then let the page say that the game has ended.
// There is no handheld menu to hand over to.
#include <emscripten.h>

#include "shell/Program.h"

int main() {
    const int status = runProgram();
    EM_ASM({ Module.gameEnded($0); }, status);
    return status;
}
