// The game's sounds, each named once: its kind, its name in the game and its file in Sounds/.
//
// Included wherever a list of them is made, with the kinds that list takes defined first:
//   EFFECT(name, file)  an effect, Effect::name, started on a free channel (Effects.h)
//   MUSIC(name, file)   a piece of music, Music::name, looped on the music's channel (Sounds.h)
// A kind left undefined is left out, and both are undefined again at the end. The build reads
// the files from these lines too (cmake/Assets.cmake), and the sound generator writes each file
// from the recipe of that name (tools/sounds/Sounds.cpp). A new sound or piece of music is a
// line here and its recipe there; its number in the enum is its line's place among its kind's.
#ifndef EFFECT
#define EFFECT(name, file)
#endif
#ifndef MUSIC
#define MUSIC(name, file)
#endif

// clang-format off
EFFECT(Hop,      "hop.wav")       // the figure reaches another cell
EFFECT(Points,   "points.wav")    // the four pickups collected
EFFECT(Penalty,  "penalty.wav")
EFFECT(Life,     "life.wav")
EFFECT(Recall,   "recall.wav")
EFFECT(Fall,     "fall.wav")      // a life lost to a vanished platform
EFFECT(Capture,  "capture.wav")   // a life lost to an enemy
EFFECT(Portal,   "portal.wav")    // on to the next level
EFFECT(GameOver, "gameover.wav")  // the last life lost
EFFECT(Letter,   "letter.wav")    // name entry: a letter changed
EFFECT(Cursor,   "cursor.wav")    //   the cursor moved
EFFECT(Confirm,  "confirm.wav")   //   the name confirmed
EFFECT(Start,    "start.wav")     // a game started from the menu
MUSIC(Band1,     "music1.ogg")    // levels 1 to 5
MUSIC(Band2,     "music2.ogg")    // levels 6 to 10
MUSIC(Band3,     "music3.ogg")    // levels 11 to 15
// clang-format on

#undef EFFECT
#undef MUSIC
