// The three-second hold after a fall, a capture or the portal.
#include "game/Pause.h"

#include "platform/EventQueue.h"
#include "platform/Wait.h"

void pauseGame() {
    waitMs(3000);
    discardGameInput();
}
