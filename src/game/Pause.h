// The three-second hold after a fall, a capture or the portal.
#pragma once

// Holds the picture for three seconds, then throws away what was pressed meanwhile for the
// game; the window's own keys act as input is next read.
void pauseGame();
