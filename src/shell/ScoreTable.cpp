// The high-score table: its order and the text of the score file.
#include "shell/ScoreTable.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Base-10 value of the start of line, as strtol reads it, clamped to 32 bits whatever
// the width of long.
int32_t parseScore(const char* line, std::size_t length) {
    std::size_t i = 0;
    while (i < length && isSpace(line[i])) {
        ++i;
    }
    bool negative = false;
    if (i < length && (line[i] == '+' || line[i] == '-')) {
        negative = line[i] == '-';
        ++i;
    }
    // One past the largest magnitude is enough to know the value is out of range, and
    // stopping there keeps the sum from overflowing on long runs of digits.
    constexpr int64_t kLimit = int64_t{INT32_MAX} + 2;
    int64_t magnitude = 0;
    for (; i < length && line[i] >= '0' && line[i] <= '9'; ++i) {
        magnitude = std::min(kLimit, magnitude * 10 + (line[i] - '0'));
    }
    const int64_t value = negative ? -magnitude : magnitude;
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

// The first three characters of text, up to a NUL, zero-filled.
void copyName(char (&name)[4], const char* text, std::size_t length) {
    std::memset(name, 0, sizeof name);
    for (std::size_t i = 0; i < 3 && i < length && text[i] != '\0'; ++i) {
        name[i] = text[i];
    }
}

bool ranksAbove(const ScoreEntry& a, const ScoreEntry& b) {
    return a.score > b.score;
}

}  // namespace

bool ScoreReader::feed(const char* text, std::size_t size) {
    while (size > 0 && !stopped_) {
        const char* newline = static_cast<const char*>(std::memchr(text, '\n', size));
        const std::size_t length = newline != nullptr ? newline - text : size;
        if (lineLength_ + length > kLongestLine) {
            stopped_ = true;
            break;
        }
        std::memcpy(line_ + lineLength_, text, length);
        lineLength_ += length;
        if (newline == nullptr) {
            break;
        }
        takeLine();
        text += length + 1;
        size -= length + 1;
    }
    return !stopped_;
}

ScoreTable ScoreReader::finish() {
    // A last line without a newline still counts.
    if (!stopped_ && lineLength_ > 0) {
        takeLine();
    }
    ScoreTable table = best_;
    // The padding goes in before the stable sort so that it lands after every real zero,
    // yet above negative scores: the table stays in order, so the tenth is the lowest
    // listed.
    while (table.size() < kListedScores) {
        table.push_back(ScoreEntry{0, {}});
    }
    sortScores(table);
    return table;
}

void ScoreReader::takeLine() {
    if (scoreLine_) {
        heldScore_ = parseScore(line_, lineLength_);
    } else {
        ScoreEntry entry{heldScore_, {}};
        copyName(entry.name, line_, lineLength_);
        keep(entry);
    }
    scoreLine_ = !scoreLine_;
    lineLength_ = 0;
}

// Below every kept entry with an equal or higher score, where a stable sort of the whole
// file would put it; the eleventh drops out.
void ScoreReader::keep(const ScoreEntry& entry) {
    if (best_.size() == kListedScores && !ranksAbove(entry, best_.back())) {
        return;
    }
    best_.insert(std::upper_bound(best_.begin(), best_.end(), entry, ranksAbove), entry);
    if (best_.size() > kListedScores) {
        best_.pop_back();
    }
}

ScoreTable parseScores(const std::string& text) {
    ScoreReader reader;
    reader.feed(text.data(), text.size());
    return reader.finish();
}

std::string formatScores(const ScoreTable& table) {
    std::string text;
    const std::size_t count = std::min<std::size_t>(table.size(), kListedScores);
    for (std::size_t i = 0; i < count; ++i) {
        const ScoreEntry& entry = table[i];
        text += std::to_string(entry.score);
        text += '\n';
        const std::size_t length = strnlen(entry.name, 3);
        for (std::size_t c = 0; c < length; ++c) {
            // A newline would shift every later line of the file by one.
            text += entry.name[c] == '\n' ? ' ' : entry.name[c];
        }
        text += '\n';
    }
    return text;
}

void sortScores(ScoreTable& table) {
    std::stable_sort(table.begin(), table.end(), ranksAbove);
}

bool entersTable(const ScoreTable& table, int32_t score) {
    return score > table[kListedScores - 1].score;
}

void insertScore(ScoreTable& table, int32_t score, const char* name) {
    ScoreEntry entry{score, {}};
    if (name != nullptr) {
        copyName(entry.name, name, 3);
    }
    table.push_back(entry);
    sortScores(table);
}
