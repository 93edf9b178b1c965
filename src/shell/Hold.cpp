// The hold while the player is away from a game in play or has paused it: no pass runs, so
// nothing of the game moves on, and the next pass is the one that would have run.
#include "shell/Hold.h"

#include <cstring>

#include "gfx/Painter.h"
#include "platform/Controls.h"
#include "platform/Screen.h"
#include "shell/Input.h"
#include "shell/SoundKeys.h"
#include "sound/Playing.h"

namespace {
constexpr const char* kHeldLine = "Held: come back to play on";
constexpr const char* kPausedLine = "Paused: P or START plays on";
constexpr Uint8 kLeft = SDL_APPINPUTFOCUS | SDL_APPACTIVE;
constexpr int kLineY = 112, kLineHeight = 16;

SDL_Surface* sameFormat(const SDL_Surface* screen) {
    const SDL_PixelFormat* f = screen->format;
    return SDL_CreateRGBSurface(SDL_SWSURFACE, screen->w, screen->h, f->BitsPerPixel, f->Rmask,
                                f->Gmask, f->Bmask, f->Amask);
}

// Half the light of the frame, and the line on a light band across it.
void drawHeld(SDL_Surface* screen, const GlyphSheet* glyphs, const char* line) {
    SDL_Surface* shade = sameFormat(screen);
    if (shade != nullptr) {
        SDL_FillRect(shade, nullptr, SDL_MapRGB(shade->format, 0, 0, 0));
        SDL_SetAlpha(shade, SDL_SRCALPHA, 128);
        SDL_BlitSurface(shade, nullptr, screen, nullptr);
        SDL_FreeSurface(shade);
    }
    SDL_Rect band{0, kLineY, static_cast<Uint16>(screen->w), kLineHeight};
    SDL_FillRect(screen, &band, SDL_MapRGB(screen->format, 200, 200, 200));
    const int width = 8 * static_cast<int>(std::strlen(line));
    Painter().write(screen, line, (screen->w - width) / 2, kLineY + 4, glyphs);
}
}  // namespace

Uint8 awayAfter(Uint8 away, const SDL_Event& event) {
    if (event.type != SDL_ACTIVEEVENT) {
        return away;
    }
    const Uint8 changed = event.active.state & kLeft;
    return event.active.gain != 0 ? away & ~changed : away | changed;
}

HoldEnd holdPlay(Controls& controls, SDL_Surface* screen, const GlyphSheet* glyphs, Sounds* sounds,
                 Uint8 away, bool paused) {
    SDL_Surface* frame = sameFormat(screen);
    if (frame != nullptr) {
        SDL_BlitSurface(screen, nullptr, frame, nullptr);
    }
    drawHeld(screen, glyphs, paused ? kPausedLine : kHeldLine);
    showScreen(screen);
    pauseTune(sounds);
    HoldEnd end = HoldEnd::PlayOn;
    while ((away != 0 || paused) && end == HoldEnd::PlayOn) {
        SDL_Event event;
        waitInput(controls, &event);
        applySoundInput(sounds, event);
        end = event.type == SDL_QUIT ? HoldEnd::Quit
              : leavesGame(event)    ? HoldEnd::Leave
                                     : HoldEnd::PlayOn;
        paused = paused != pausesGame(event);
        away = awayAfter(away, event);
    }
    // A game left goes to the menu, which stops the music.
    if (end == HoldEnd::PlayOn) {
        resumeTune(sounds);
    }
    if (frame != nullptr) {
        SDL_BlitSurface(frame, nullptr, screen, nullptr);
        SDL_FreeSurface(frame);
    }
    return end;
}
