// The hold of a game in play while the player is away (the window or the page left) or has
// paused it (P, a pad's START, the page's Pause button).
#pragma once

#include <SDL/SDL.h>

struct Controls;
struct GlyphSheet;
struct Sounds;

// What the player has left after `event`, of the input focus (SDL_APPINPUTFOCUS) and the
// window's showing (SDL_APPACTIVE), given what was left before; 0 when the player is there.
Uint8 awayAfter(Uint8 away, const SDL_Event& event);

// How a hold ends.
enum class HoldEnd { PlayOn, Leave, Quit };

// Shows the frame on screen dimmed, with a line saying how to go on, until the player is back
// (what `away` names is all given back) and has played on if `paused` (P or a pad's START
// again); Escape or SELECT end the game and a quit request the program. The game's other input
// is thrown away meanwhile, the sound keys act and the music rests. Then puts the frame back as
// it was.
HoldEnd holdPlay(Controls& controls, SDL_Surface* screen, const GlyphSheet* glyphs, Sounds* sounds,
                 Uint8 away, bool paused);
