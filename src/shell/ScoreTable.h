// The high-score table: ten best scores with three-character names, kept in "data.dat".
#pragma once

#include <SDL/SDL.h>

#include <cstdint>
#include <string>
#include <vector>

struct ScoreEntry {
    int32_t score;
    char name[4];  // up to three characters and a NUL
};

struct GlyphSheet;

using ScoreTable = std::vector<ScoreEntry>;

constexpr int kListedScores = 10;

// Reads the text of a score file: pairs of lines, a score then a name, each ended by LF (a
// CR stays part of its line). Scores read as strtol does, clamped to 32 bits; names keep
// their first three characters. Stops at a line of 80 or more characters; a trailing score
// line without a name is dropped. The result is the ten best, sorted: equal scores keep their
// order in the text, and padding up to ten has score 0 and an empty name and sorts after every
// other 0.
ScoreTable parseScores(const std::string& text);
// The first ten entries as the twenty lines of a score file, each ended by LF; a newline in
// a name is written as a space.
std::string formatScores(const ScoreTable& table);
// Highest score first; equal scores keep their order.
void sortScores(ScoreTable& table);
// True when score beats the tenth entry; the table must hold at least ten.
bool entersTable(const ScoreTable& table, int32_t score);
// Appends an entry with the first three characters of name and sorts again; the table may
// grow past ten, only the first ten are listed and saved.
void insertScore(ScoreTable& table, int32_t score, const char* name);

// Reads path a piece at a time, keeping only the ten best entries, so memory stays bounded
// whatever the file's size. A missing file gives ten empty entries. When the file exists but
// cannot be read, the table holds what came before the failure and *failure, if given, gets
// the errno; otherwise it gets 0.
ScoreTable loadScores(const char* path, int* failure = nullptr);
// Replaces path with the first ten entries: written to a new temporary file beside it, synced,
// then renamed over it. A path that is a symbolic link is saved through: its target gets the
// table. On failure writes one line on standard error and returns false; the old file stays
// as it was.
bool saveScores(const ScoreTable& table, const char* path);

// The score file of one run, from start-up through every save.
struct ScoreFile {
    std::string path;
    ScoreTable table;
    // False when the file exists but could not be read: it is then never written over, so
    // the scores it may hold are not lost.
    bool writable = true;
};

// Loads path; a file that exists but cannot be read is said once on standard error.
ScoreFile openScoreFile(const char* path);
// Saves the table unless the file may not be written. Returns true when saved.
bool saveScoreFile(const ScoreFile& file);

// Draws names at x 180 and scores at x 230, rows 14 pixels apart from y 65, into picture;
// letters from `glyphs` as Painter::write takes them.
void drawListing(const ScoreTable& table, SDL_Surface* picture, const GlyphSheet* glyphs = nullptr);
