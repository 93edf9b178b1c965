// The three-second hold after a fall, a capture or the portal.
#pragma once

// Holds the picture for three seconds, then throws away what was pressed meanwhile.
void pauseGame();
