// The high-score table: ten best scores with three-character names, their order, and the text
// of the score file.
#pragma once

#include <cstddef>
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

// Takes the text of a score file piece by piece, as parseScores reads it, holding no more than
// the line in hand and the ten best entries so far: a file of any size reads in bounded memory.
class ScoreReader {
  public:
    // Takes the next piece of text; returns false once a line of 80 or more characters has
    // ended the reading.
    bool feed(const char* text, std::size_t size);
    // The end of the text: the ten best, padded and sorted as parseScores gives them.
    ScoreTable finish();

  private:
    // A line longer than this ends the reading: no line the game writes comes close, so the
    // file is taken as damaged from there on.
    static constexpr std::size_t kLongestLine = 79;

    void takeLine();
    void keep(const ScoreEntry& entry);

    char line_[kLongestLine] = {};
    std::size_t lineLength_ = 0;
    bool stopped_ = false;
    bool scoreLine_ = true;
    int32_t heldScore_ = 0;
    ScoreTable best_;
};
