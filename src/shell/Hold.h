// The hold while the player is away from a game in play: the window or the page left.
#pragma once

#include <SDL/SDL.h>

struct Controls;
struct GlyphSheet;

// What the player has left after `event`, of the input focus (SDL_APPINPUTFOCUS) and the
// window's showing (SDL_APPACTIVE), given what was left before; 0 when the player is there.
Uint8 awayAfter(Uint8 away, const SDL_Event& event);
// Shows the frame on screen dimmed, with a line saying how to go on, until the player is back
// (what `away` names is all given back) or asks to quit, throwing away input meanwhile; then puts
// the frame back as it was. Returns true for a quit request.
bool holdWhileAway(Controls& controls, SDL_Surface* screen, const GlyphSheet* glyphs, Uint8 away);
