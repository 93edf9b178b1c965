// The high-score table: reading, writing and drawing "data.dat".
#include "shell/ScoreTable.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
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

// Takes the text of a score file piece by piece, holding no more than the line in hand and
// the ten best entries so far.
class ScoreReader {
  public:
    // Takes the next piece of text; returns false once a line of 80 or more characters has
    // ended the reading.
    bool feed(const char* text, std::size_t size) {
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

    // The end of the text: a last line without a newline still counts.
    ScoreTable finish() {
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

  private:
    void takeLine() {
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
    void keep(const ScoreEntry& entry) {
        if (best_.size() == kListedScores && !ranksAbove(entry, best_.back())) {
            return;
        }
        best_.insert(std::upper_bound(best_.begin(), best_.end(), entry, ranksAbove), entry);
        if (best_.size() > kListedScores) {
            best_.pop_back();
        }
    }

    char line_[kLongestLine] = {};
    std::size_t lineLength_ = 0;
    bool stopped_ = false;
    bool scoreLine_ = true;
    int32_t heldScore_ = 0;
    ScoreTable best_;
};

// The file a save replaces: path itself, or where the chain of symbolic links it starts ends,
// which need not exist yet. Returns false with errno set when a link cannot be followed.
bool followLinks(const char* path, std::string& target) {
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info;
        if (lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return true;
        }
        char link[PATH_MAX];
        const ssize_t length = readlink(target.c_str(), link, sizeof link);
        if (length < 0 || length == static_cast<ssize_t>(sizeof link)) {
            errno = length < 0 ? errno : ENAMETOOLONG;
            return false;
        }
        const std::string to(link, static_cast<std::size_t>(length));
        const std::size_t slash = target.rfind('/');
        target = to[0] == '/' || slash == std::string::npos ? to : target.substr(0, slash + 1) + to;
    }
    errno = ELOOP;
    return false;
}

// The mode of the file being replaced, or the one a new plain file gets under the umask.
mode_t modeFor(const std::string& target) {
    struct stat info;
    if (stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        return info.st_mode & 07777;
    }
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Puts text in place of target through a temporary file of a fresh name in the same folder.
// Returns 0, or the errno of the step that failed; the temporary file never stays behind.
int replaceFile(const std::string& target, const std::string& text) {
    std::string temporary = target + ".XXXXXX";
    // Created exclusively: a file or link already under a name is never opened.
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        return errno;
    }
    int error = 0;
    const auto check = [&error](bool done) {
        if (error == 0 && !done) {
            error = errno != 0 ? errno : EIO;
        }
    };
    errno = 0;
    std::FILE* file = fdopen(fd, "wb");
    check(file != nullptr);
    if (file != nullptr) {
        // The data must be on disk before the rename makes it the score file, or a power cut
        // could leave an empty file behind.
        check(std::fwrite(text.data(), 1, text.size(), file) == text.size());
        check(std::fflush(file) == 0);
        check(fchmod(fd, modeFor(target)) == 0);
        check(fsync(fd) == 0);
        check(std::fclose(file) == 0);
    } else {
        close(fd);
    }
    if (error == 0) {
        check(std::rename(temporary.c_str(), target.c_str()) == 0);
    }
    if (error != 0) {
        unlink(temporary.c_str());
        return error;
    }
    // The rename reaches the disk with its folder. Should that fail, the table is in place
    // all the same, and the exit's sync follows.
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (folderFd >= 0) {
        fsync(folderFd);
        close(folderFd);
    }
    return 0;
}

}  // namespace

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

ScoreTable loadScores(const char* path, int* failure) {
    ScoreReader reader;
    int error = 0;
    if (std::FILE* file = std::fopen(path, "rb")) {
        char buffer[4096];
        std::size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0 && reader.feed(buffer, got)) {
        }
        error = std::ferror(file) ? errno : 0;
        std::fclose(file);
    } else if (errno != ENOENT) {
        error = errno;
    }
    if (failure != nullptr) {
        *failure = error;
    }
    return reader.finish();
}

bool saveScores(const ScoreTable& table, const char* path) {
    std::string target;
    const int error = followLinks(path, target) ? replaceFile(target, formatScores(table)) : errno;
    if (error != 0) {
        std::fprintf(stderr, "Couldn't save the scores to %s: %s\n", path, std::strerror(error));
    }
    return error == 0;
}

ScoreFile openScoreFile(const char* path) {
    int failure = 0;
    ScoreFile file{path, loadScores(path, &failure), true};
    if (failure != 0) {
        file.writable = false;
        std::fprintf(stderr,
                     "Couldn't read the scores from %s: %s; this run's scores will not be saved\n",
                     path, std::strerror(failure));
    }
    return file;
}

bool saveScoreFile(const ScoreFile& file) {
    return file.writable && saveScores(file.table, file.path.c_str());
}

void drawListing(const ScoreTable& table, SDL_Surface* picture, const GlyphSheet* glyphs) {
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
        surface = painter.write(surface, table[i].name, 180, y, glyphs);
        formatter.itoa(table[i].score, number, 10);
        surface = painter.write(surface, number, 230, y, glyphs);
    }
}
