// The game's sound effects, and the cues in which the rules note the events that call for them.
#pragma once

#include <cstdint>

// One effect for each event a player should hear, each from a file of its own (Sounds.cpp).
enum class Effect : std::uint8_t {
    Hop,     // the figure reaches another cell
    Points,  // the four pickups collected
    Penalty,
    Life,
    Recall,
    Fall,      // a life lost to a vanished platform
    Capture,   // a life lost to an enemy
    Portal,    // on to the next level
    GameOver,  // the last life lost
    Letter,    // name entry: a letter changed
    Cursor,    //   the cursor moved
    Confirm,   //   the name confirmed
    Start,     // a game started from the menu
};
constexpr int kEffectCount = 13;

// The effects called for since they were last played, noted by the rules as their events
// happen and started by the frame or the screen they happen in.
struct Cues {
    std::uint16_t pending = 0;  // bit i: Effect i

    void note(Effect effect) { pending |= 1u << static_cast<int>(effect); }
};
