// The window's size on the desktop: the game's 320x240 scaled by the largest whole multiple
// that fits the screen it opens on.
#pragma once

// The largest scale, 1 to 3, whose window, with a title bar and a panel, fits a screen of
// that size.
int windowScale(int screenWidth, int screenHeight);
// Asks the compatibility library, which scales the window, for that scale on the screen SDL
// shows now, unless the player has asked for one or the game is not in a desktop's window.
void chooseWindowScale();
