// Starting SDL where the player can see the game: the desktop's SDL, finding no display, falls
// back to drivers that show nothing, which the browser's SDL, always on its page, never does.
#pragma once

// Starts SDL's video and joystick as SDL_Init does. Returns false, with SDL_GetError() saying
// why, when SDL cannot start, or when it could only start a driver that shows the player
// nothing; SDL is then shut down again, having written nothing to standard output.
bool startSdl();
