// The high-score table: reading, writing and drawing "data.dat".
#include "shell/ScoreTable.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "gfx/NumberFormatter.h"
#include "gfx/Painter.h"

namespace {

// A line longer than this ends the reading: no line the game writes comes close, so the
// file is taken as damaged from there on.
constexpr std::size_t kLongestLine = 79;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Base-10 value of the start of line, as strtol reads it, clamped to 32 bits whatever
// the width of long.
int32_t parseScore(const std::string& line) {
    std::size_t i = 0;
    while (i < line.size() && isSpace(line[i])) {
        ++i;
    }
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) {
        negative = line[i] == '-';
        ++i;
    }
    // One past the largest magnitude is enough to know the value is out of range, and
    // stopping there keeps the sum from overflowing on long runs of digits.
    constexpr int64_t kLimit = int64_t{INT32_MAX} + 2;
    int64_t magnitude = 0;
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
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

}  // namespace

ScoreTable parseScores(const std::string& text) {
    ScoreTable table;
    int32_t heldScore = 0;
    bool scoreLine = true;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = std::min(text.find('\n', pos), text.size());
        if (end - pos > kLongestLine) {
            break;
        }
        const std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (scoreLine) {
            heldScore = parseScore(line);
        } else {
            ScoreEntry entry{heldScore, {}};
            copyName(entry.name, line.data(), line.size());
            table.push_back(entry);
        }
        scoreLine = !scoreLine;
    }
    // The padding goes in before the stable sort so that it lands after every real zero,
    // yet above negative scores: the table stays in order, so the tenth is the lowest listed.
    while (table.size() < kListedScores) {
        table.push_back(ScoreEntry{0, {}});
    }
    sortScores(table);
    return table;
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
    std::stable_sort(table.begin(), table.end(),
                     [](const ScoreEntry& a, const ScoreEntry& b) { return a.score > b.score; });
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

ScoreTable loadScores(const char* path) {
    std::string text;
    if (std::FILE* file = std::fopen(path, "rb")) {
        char buffer[4096];
        std::size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            text.append(buffer, got);
        }
        std::fclose(file);
    }
    return parseScores(text);
}

bool saveScores(const ScoreTable& table, const char* path) {
    const std::string text = formatScores(table);
    const std::string temporary = std::string(path) + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    // The data must be on disk before the rename makes it the score file, or a power cut
    // could leave an empty "data.dat" behind.
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size() &&
                   std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    written = std::fclose(file) == 0 && written;
    if (!written || std::rename(temporary.c_str(), path) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

void drawListing(const ScoreTable& table, SDL_Surface* picture) {
    if (picture == nullptr) {
        return;
    }
    const Painter painter{};
    const NumberFormatter formatter{};
    char number[kNumberTextSize];
    SDL_Surface* surface = picture;
    const std::size_t count = std::min<std::size_t>(table.size(), kListedScores);
    for (std::size_t i = 0; i < count; ++i) {
        const int y = 65 + 14 * static_cast<int>(i);
        surface = painter.write(surface, table[i].name, 180, y);
        formatter.itoa(table[i].score, number, 10);
        surface = painter.write(surface, number, 230, y);
    }
}
