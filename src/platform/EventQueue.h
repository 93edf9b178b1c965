// The event queue's housekeeping, the same on every target: throwing pending input away, and
// asking the program to end in order.
#pragma once

// Throws away every pending key, button and mouse event. Anything else (a quit request, the
// window left) is put back, so that it is never lost.
void discardPendingEvents();
// As discardPendingEvents, but the window's own keys (M, S, F11, Alt+Enter) are put back too,
// to act when input is next read: the game's input is what is thrown away.
void discardGameInput();
// Puts a quit request on the event queue.
void requestQuit();
