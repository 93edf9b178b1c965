// Where every screen reads the player's input: keys and the handheld's buttons as they come, a
// desktop gamepad as the handheld's buttons, the window's own keys handled on the way, and the
// player leaving the game and coming back as SDL_ACTIVEEVENT.
#pragma once

#include <SDL/SDL.h>

struct Controls;

// The controls of the game drawn on `screen`, with every joystick the library shows now.
Controls* openControls(SDL_Surface* screen);
void closeControls(Controls* controls);
// Opens the joysticks again, so that a pad plugged in meanwhile plays where the library shows it.
void reopenPads(Controls& controls);
// As SDL_PollEvent: 1 with the next event, 0 when none is waiting.
int pollInput(Controls& controls, SDL_Event* event);
// Blocks until the next event and gives it.
void waitInput(Controls& controls, SDL_Event* event);
