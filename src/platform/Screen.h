// The picture the game draws, 320x240 at 16 bits, and where the player sees it.
#pragma once

#include <SDL/SDL.h>

// Sets the video mode; returns the surface the game draws on, or null with SDL's error.
SDL_Surface* openScreen();
// Shows what the game has drawn on screen, in SDL_Flip's place.
void showScreen(SDL_Surface* screen);
// Frees what openScreen made beside SDL's video surface.
void closeScreen(SDL_Surface* screen);
