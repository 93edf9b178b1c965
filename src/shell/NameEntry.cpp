// The name entry screen: three characters chosen with a bracket cursor.
#include "shell/NameEntry.h"

#include "game/Game.h"
#include "platform/Controls.h"
#include "platform/EventQueue.h"
#include "platform/Platform.h"
#include "platform/Screen.h"
#include "platform/Wait.h"
#include "shell/Input.h"
#include "shell/ScoreTable.h"
#include "shell/SoundKeys.h"
#include "sound/Playing.h"

namespace {
constexpr int kHighestCode = 128;
constexpr Uint32 kPassDelayMs = 80;
constexpr int kTextY = 130;

bool confirms(const SDL_Event& event) {
    return (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_SPACE) ||
           (event.type == SDL_JOYBUTTONDOWN && event.jbutton.button == kButtonX);
}

// The score file's lines for the score under the letters as they stand.
std::string entryLines(int32_t score, const NameChoice& choice) {
    char name[4];
    storeName(choice, name);
    ScoreTable entry;
    insertScore(entry, score, name);
    return formatScores(entry);
}

// The effect of one event: the name confirmed, the cursor moved or a letter changed. A press
// against the end of the range changes nothing and is not heard.
void playChange(const Sounds* sounds, const NameChoice& before, const NameChoice& after,
                bool confirmed) {
    if (confirmed) {
        playEffect(sounds, Effect::Confirm);
    } else if (after.cursor != before.cursor) {
        playEffect(sounds, Effect::Cursor);
    } else if (after.letters[after.cursor] != before.letters[before.cursor]) {
        playEffect(sounds, Effect::Letter);
    }
}
}  // namespace

bool applyNameInput(NameChoice& choice, const SDL_Event& event) {
    int& letter = choice.letters[choice.cursor];
    switch (directionOf(event)) {
        case Direction::Up:
            letter = letter + 1 <= kHighestCode ? letter + 1 : letter;
            break;
        case Direction::Down:
            letter = letter - 1 >= 0 ? letter - 1 : letter;
            break;
        case Direction::Left:
            choice.cursor = choice.cursor - 1 >= 0 ? choice.cursor - 1 : choice.cursor;
            break;
        case Direction::Right:
            choice.cursor = choice.cursor + 1 <= 2 ? choice.cursor + 1 : choice.cursor;
            break;
        case Direction::None:
            return confirms(event);
    }
    return false;
}

void storeName(const NameChoice& choice, char name[4]) {
    for (int i = 0; i < 3; ++i) {
        name[i] = static_cast<char>(choice.letters[i] & 0xFF);
    }
    name[3] = '\0';
}

void drawNameChoice(const Painter& painter, SDL_Surface* screen, const NameChoice& choice,
                    const GlyphSheet* glyphs) {
    SDL_Surface* surface = screen;
    for (int i = 0; i < 3; ++i) {
        const char text[2] = {static_cast<char>(choice.letters[i] & 0xFF), '\0'};
        surface = painter.write(surface, text, 60 + 20 * i, kTextY, glyphs);
    }
    surface = painter.write(surface, "[", 50 + 20 * choice.cursor, kTextY, glyphs);
    painter.write(surface, "]", 70 + 20 * choice.cursor, kTextY, glyphs);
}

void Game::enterName(Controls& controls, SDL_Surface* screen, SDL_Surface* background,
                     const GlyphSheet* glyphs, Sounds* sounds) {
    NameChoice choice;
    SDL_EnableKeyRepeat(500, 30);
    bool quit = false;
    bool confirmed = false;
    while (!confirmed) {
        drawPicture(painter, background, screen, 0, 0);
        SDL_Event event;
        while (pollInput(controls, &event)) {
            // A quit request takes the letters as they stand.
            const bool quitNow = event.type == SDL_QUIT;
            quit = quit || quitNow;
            applySoundInput(sounds, event);
            const NameChoice before = choice;
            const bool confirmedNow = applyNameInput(choice, event);
            playChange(sounds, before, choice, confirmedNow);
            if (confirmedNow || quitNow) {
                confirmed = true;
                storeName(choice, name);
            }
        }
        drawNameChoice(painter, screen, choice, glyphs);
        showScreen(screen);
        nameEntryStands(entryLines(score, choice).c_str());
        waitMs(kPassDelayMs);
    }
    nameEntryStands(nullptr);
    // The menu that follows sees the request too, and leaves.
    if (quit) {
        requestQuit();
    }
}
