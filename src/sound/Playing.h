// Starting the effects and the music. Each call returns at once: SDL mixes on its own thread.
#pragma once

#include "sound/Effects.h"
#include "sound/Sounds.h"

// Starts an effect; none without sounds, without a device, or when every channel is busy.
void playEffect(const Sounds* sounds, Effect effect);
// Starts every effect the cues call for and clears them. Without sounds they stay noted.
void playCues(Cues& cues, const Sounds* sounds);
// The piece of music of a level's band of five levels.
Music musicFor(int level);
// The level's piece over and over from its start, unless it is the piece already playing,
// until stopTune.
void startTune(Sounds* sounds, int level);
void stopTune(Sounds* sounds);
// The music rests where it stands while the game does not run, and goes on from there.
void pauseTune(const Sounds* sounds);
void resumeTune(const Sounds* sounds);
