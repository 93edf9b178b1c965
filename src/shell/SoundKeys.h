// The keys that set the sound, on every screen that reads input: M turns the music off and on,
// S all sound, the handheld's volume buttons raise and lower it.
#pragma once

#include <SDL/SDL.h>

struct Sounds;

// Applies one event if it is one of those keys; any other event, or no sounds, changes nothing.
void applySoundInput(Sounds* sounds, const SDL_Event& event);
