// The high-score table: its order and the text of the score file.
#include "shell/ScoreTable.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// A UTF-8 byte-order mark.
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr std::size_t kMarkLength = sizeof kByteOrderMark - 1;
// One past the largest magnitude is enough to know a score is out of range, and stopping there
// keeps the sum from overflowing on long runs of digits.
constexpr int64_t kLimit = int64_t{INT32_MAX} + 2;

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

void ScoreReader::feed(const char* text, std::size_t size) {
    const char* const end = text + size;
    while (markSeen_ < kMarkLength && text != end) {
        if (*text == kByteOrderMark[markSeen_]) {
            ++markSeen_;
            ++text;
            continue;
        }
        // Not a mark after all: what looked like its start belongs to the first line.
        const std::size_t seen = markSeen_;
        markSeen_ = kMarkLength;
        for (std::size_t i = 0; i < seen && !lineRead_; ++i) {
            take(kByteOrderMark[i]);
        }
    }
    while (text != end) {
        const char* newline = static_cast<const char*>(std::memchr(text, '\n', end - text));
        const char* const lineEnd = newline != nullptr ? newline : end;
        for (; text != lineEnd && !lineRead_; ++text) {
            take(*text);
        }
        // What is left of a line read whole is more than a saved table puts in it.
        unlikeSaved_ = unlikeSaved_ || text != lineEnd;
        if (newline == nullptr) {
            break;
        }
        endLine();
        text = newline + 1;
    }
}

ScoreTable ScoreReader::finish() {
    // A last line without a newline still counts.
    if (!lineEmpty_) {
        unlikeSaved_ = true;
        endLine();
    }
    // A score without its name.
    unlikeSaved_ = unlikeSaved_ || !scoreLine_;
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

void ScoreReader::take(char c) {
    lineEmpty_ = false;
    if (!scoreLine_) {
        name_[nameLength_++] = c;
        lineRead_ = c == '\0' || nameLength_ == 3;
    } else if (c >= '0' && c <= '9') {
        // A saved score has no leading zero.
        unlikeSaved_ = unlikeSaved_ || (digits_ > 0 && magnitude_ == 0);
        magnitude_ = std::min(kLimit, magnitude_ * 10 + (c - '0'));
        begun_ = true;
        ++digits_;
    } else if (!begun_ && (c == '+' || c == '-')) {
        unlikeSaved_ = unlikeSaved_ || c == '+';
        negative_ = c == '-';
        begun_ = true;
    } else {
        // A space before the number, or anything after it.
        unlikeSaved_ = true;
        lineRead_ = begun_ || !isSpace(c);
    }
}

void ScoreReader::endLine() {
    if (scoreLine_) {
        const int64_t value = negative_ ? -magnitude_ : magnitude_;
        heldScore_ = static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
        unlikeSaved_ =
            unlikeSaved_ || digits_ == 0 || value != heldScore_ || (negative_ && magnitude_ == 0);
    } else {
        ScoreEntry entry{heldScore_, {}};
        copyName(entry.name, name_, nameLength_);
        keep(entry);
    }
    scoreLine_ = !scoreLine_;
    lineEmpty_ = true;
    lineRead_ = begun_ = negative_ = false;
    magnitude_ = 0;
    digits_ = 0;
    nameLength_ = 0;
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
