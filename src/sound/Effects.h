// The game's sound effects, and the cues in which the rules note the events that call for them.
#pragma once

#include <cstdint>
#include <iterator>

// One effect for each event a player should hear, each from a file of its own, as
// sound/SoundList.h lists them.
enum class Effect : std::uint8_t {
#define EFFECT(name, file) name,
#include "sound/SoundList.h"
};
// Each effect's file in Sounds/, in the enum's order.
inline constexpr const char* kEffectFiles[] = {
#define EFFECT(name, file) file,
#include "sound/SoundList.h"
};
constexpr int kEffectCount = static_cast<int>(std::size(kEffectFiles));

// The effects called for since they were last played, noted by the rules as their events
// happen and started by the frame or the screen they happen in.
struct Cues {
    std::uint16_t pending = 0;  // bit i: Effect i

    void note(Effect effect) { pending |= 1u << static_cast<int>(effect); }
};
static_assert(kEffectCount <= 16, "a bit of Cues::pending per effect");
