// The event queue's housekeeping, the same on every target: throwing pending input away, and
// asking the program to end in order.
#pragma once

// Throws away every pending key, button and mouse event. Anything else (a quit request, the
// window left) is put back, so that it is never lost.
void discardPendingEvents();
// Puts a quit request on the event queue.
void requestQuit();
