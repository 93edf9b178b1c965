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
// their first three characters: a line of any length reads by its start. A UTF-8 byte-order
// mark at the start of the text, which some editors write, is no part of the first line; a
// trailing score line without a name is dropped. The result is the ten best, sorted: equal
// scores keep their order in the text, and padding up to ten has score 0 and an empty name and
// sorts after every other 0.
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
// what the line in hand reads as so far and the ten best entries: a file of any size, and a line
// of any length, reads in bounded memory.
class ScoreReader {
  public:
    // Takes the next piece of text.
    void feed(const char* text, std::size_t size);
    // The end of the text: the ten best, padded and sorted as parseScores gives them.
    ScoreTable finish();
    // After finish: true when the text holds what formatScores never writes, a line out of the
    // pairs' rhythm as a hand edit leaves it (a score line other than a plain decimal, a name
    // line over three characters, an odd number of lines, a last line without its newline),
    // which the next save would turn into a table of other entries.
    bool unlikeSaved() const { return unlikeSaved_; }

  private:
    void take(char c);
    void endLine();
    void keep(const ScoreEntry& entry);

    // How much of the text's start matched a byte-order mark so far; its length once past it.
    std::size_t markSeen_ = 0;
    bool scoreLine_ = true;
    bool lineEmpty_ = true;
    // Set once nothing later in the line in hand can change what it reads as.
    bool lineRead_ = false;
    // The score line in hand, as strtol has read it so far: a sign or a digit begins the number.
    bool begun_ = false;
    bool negative_ = false;
    std::size_t digits_ = 0;
    int64_t magnitude_ = 0;
    // The name line in hand: its first characters.
    char name_[4] = {};
    std::size_t nameLength_ = 0;
    int32_t heldScore_ = 0;
    ScoreTable best_;
    bool unlikeSaved_ = false;
};
