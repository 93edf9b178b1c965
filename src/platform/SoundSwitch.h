// Who keeps the sound switches (the music off, all sound off): the game on the desktop and the
// handheld, in its settings file; the page in the browser, with a button for each, for every
// visit to the site.
#pragma once

struct Sounds;

// Turns all sound off, or on again (S). Returns true when the game keeps the choice itself.
bool switchSound(Sounds& sounds);
// Turns the music off, or on again (M), the effects heard as before. Returns as switchSound.
bool switchMusic(Sounds& sounds);
