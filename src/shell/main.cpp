// Program entry: play, save, then hand the handheld back to its menu.
#include "shell/Program.h"

int main() {
    const int status = runProgram();
    if (status != 0) {
        return status;
    }
    handOverToMenu();
    return 0;
}
