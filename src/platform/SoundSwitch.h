// Who keeps the choice of all sound off: the game on the desktop and the handheld, for the run;
// the page in the browser, with a button of its own, for every visit to the site.
#pragma once

struct Sounds;

// Turns all sound off, or on again (M).
void switchSound(Sounds& sounds);
