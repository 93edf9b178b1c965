// The measured scenes: SDL with the game's pictures, each band's full board, pass and floors.
#pragma once

#include <SDL/SDL.h>

#include "game/Board.h"
#include "game/Game.h"
#include "shell/Pictures.h"
#include "sound/Sounds.h"

// SDL started as the game starts it, the pictures loaded from the build's Images folder and the
// sounds from its Sounds folder, on the audio device.
struct Session {
    SDL_Surface* screen = nullptr;
    Pictures pictures;
    Sounds sounds;
};

// Starts SDL (the caller sets SDL_VIDEODRIVER and SDL_AUDIODRIVER) and loads the pictures and
// sounds; exits when the pictures cannot be loaded.
Session& session();
void endSession();

// The bands measured, by their first level.
constexpr int kBandLevels[3] = {1, 6, 11};
const char* bandName(int level);

// The two floors of a pass: its drawing made directly, prepared beforehand, either with the
// SDL_gfx calls of a pass without the platform cache and glyph sheet, or with the cache's
// platforms and the sheet's letters blitted.
enum class Floor { DirectCalls, Blits };

// What the floors draw.
struct FloorDrawing {
    struct Text {
        char text[16];
        Sint16 x, y;
    };
    struct Sprite {
        SDL_Surface* picture;
        Sint16 x, y;
    };
    Text texts[6];           // written by the direct-call floor
    Sprite letters[6 * 16];  // their letters, blitted by the blit floor
    int letterCount = 0;
    PlatformDrawing platforms;               // drawn by the direct-call floor
    Sprite platformPictures[kMaxGridCells];  // blitted by the blit floor
    Sprite sprites[kBonusCount + 2 + kEnemyCount];
    int spriteCount = 0;
};

// A full board: every platform present at full size, every pickup and enemy the band
// has enabled and visible, the player on the start cell away from them all.
class Scene {
  public:
    // Frames of each kind: 0 shrinks the platforms and moves the enemies, 1 does neither.
    static constexpr int kTickFrame = 0;
    static constexpr int kPlainFrame = 1;

    explicit Scene(int level);

    // Puts the saved full board back in place.
    void restore() { game = saved; }
    // Background, HUD, the frame's rules, drawing and sounds, the enemies' step: the game's play
    // pass.
    void playPass(int frame);
    // The drawing of that pass alone, made directly.
    void floorPass(int frame, Floor kind) const;

    Game game;

  private:
    static int floorIndex(int frame) { return frame == kTickFrame ? 0 : 1; }

    Game saved;
    FloorDrawing floors[2];
};

// Stops with a message when the play pass left the full board other than expected: a
// pause, a vanished platform, a capture or a collection would measure something else.
void checkSteady(const Scene& scene, int level);
