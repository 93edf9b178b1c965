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

using ScoreTable = std::vector<ScoreEntry>;

constexpr int kListedScores = 10;

// Reads the text of a score file: pairs of lines, a score then a name, each ended by LF (a
// CR stays part of its line). Scores read as strtol does, clamped to 32 bits; names keep
// their first three characters. Stops at a line of 80 or more characters; a trailing score
// line without a name is dropped. The result is sorted and holds at least ten entries: the
// padding has score 0 and an empty name and sorts after every other 0.
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

// Reads path; a missing or unreadable file gives ten empty entries.
ScoreTable loadScores(const char* path);
// Replaces path with the first ten entries, written to path + ".tmp", synced, then renamed
// over path. On failure returns false and the old file stays as it was.
bool saveScores(const ScoreTable& table, const char* path);

// Draws names at x 180 and scores at x 230, rows 14 pixels apart from y 65, into picture.
void drawListing(const ScoreTable& table, SDL_Surface* picture);
