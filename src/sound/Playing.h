// Starting the effects and the tune. Each call returns at once: SDL mixes on its own thread.
#pragma once

#include "sound/Effects.h"

struct Sounds;

// The channel the tune loops on; the effects take the others.
constexpr int kTuneChannel = 0;

// Starts an effect; none without sounds, without a device, or when every channel is busy.
void playEffect(const Sounds* sounds, Effect effect);
// Starts every effect the cues call for and clears them. Without sounds they stay noted.
void playCues(Cues& cues, const Sounds* sounds);
// The tune, over and over from its start, until stopTune.
void startTune(const Sounds* sounds);
void stopTune(const Sounds* sounds);
