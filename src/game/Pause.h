// The three-second hold after a fall, a capture or the portal, and throwing input away.
#pragma once

// Throws away every pending key, button and mouse event. Anything else (a quit request, the
// window left) is put back, so that it is never lost.
void discardPendingEvents();
// Puts a quit request on the event queue.
void requestQuit();
// Holds the picture for three seconds, then throws away what was pressed meanwhile.
void pauseGame();
