// Program entry on the desktop and the handheld: play, then hand the handheld back to its menu.
#include <unistd.h>

#include "shell/Program.h"

namespace {
// Replaces the process with the handheld's menu program; returns only if that fails, as it
// does on a desktop, which has none.
void handOverToMenu() {
    // The menu program expects its own folder as the working folder; it is started by its
    // full path either way.
    [[maybe_unused]] const int changed = chdir("/usr/gp2x");
    execl("/usr/gp2x/gp2xmenu", "/usr/gp2x/gp2xmenu", static_cast<char*>(nullptr));
}
}  // namespace

int main() {
    const int status = runProgram();
    if (status != 0) {
        return status;
    }
    handOverToMenu();
    return 0;
}
