// How loud the sounds play: all off, the music off, or the handheld's volume.
#pragma once

#include "sound/Sounds.h"

// Gives every channel and the music the volume the setting asks for, none while all sound is
// off, and the music none while it is off.
void applyVolume(const Sounds& sounds);
// The handheld's volume buttons: the volume a step up (1) or down (-1), between silence and
// full.
void changeVolume(Sounds& sounds, int steps);
