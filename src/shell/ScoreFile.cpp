// The score file on disk: reading it, saving the table under its lock beside it, and what a
// run says when it cannot keep its scores.
#include "shell/ScoreFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "platform/Platform.h"
#include "shell/PosixFiles.h"

namespace {

// Reads path, the end of the file's links, into table, as a save must before it replaces the
// file. A file that cannot be read, or that this player may not write (as a plain write would
// find it: its mode, or a read-only file system), or a missing one whose folder refuses a new
// file, is said once and never written over from then on.
bool readForSaving(ScoreFile& file, const char* path, ScoreTable& table,
                   bool* unlikeSaved = nullptr) {
    int failure = 0;
    table = loadScores(path, &failure, unlikeSaved);
    const char* doing = "read the scores from";
    if (failure == 0 && faccessat(AT_FDCWD, path, W_OK, AT_EACCESS) != 0) {
        failure = errno == ENOENT ? newFileRefusal(path) : errno;
        doing = "write the scores to";
    }
    if (failure != 0) {
        file.writable = false;
        std::fprintf(stderr, "Couldn't %s %s: %s; this run's scores will not be saved\n", doing,
                     file.path.c_str(), describeFailure(failure));
    }
    return failure == 0;
}

// Why a save went without its lock, for its message.
std::string lockProblem(const FileLock& lock, const std::string& target) {
    return lock.failure() == kLockHeldElsewhere
               ? "lock held elsewhere for 2 s"
               : target + ".lock: " + std::strerror(lock.failure());
}

// Keeps the file at target as it is beside it, named after its last change, before a save
// writes over what a hand edit left: its lines, read out of their rhythm, would be saved as
// other entries. Returns false, and never saves again, when no copy can be made.
bool keepDamaged(ScoreFile& file, const std::string& target) {
    struct stat info = {};
    stat(target.c_str(), &info);
    char time[32];
    std::strftime(time, sizeof time, "%Y%m%d-%H%M%SZ", std::gmtime(&info.st_mtime));
    std::string copy;
    const int error = copyAside(target, target + ".damaged-" + time, copy);
    if (error != 0) {
        file.writable = false;
        std::fprintf(stderr,
                     "Couldn't keep a copy of %s, which holds lines a save never writes: %s; "
                     "this run's scores will not be saved\n",
                     file.path.c_str(), std::strerror(error));
        return false;
    }
    std::fprintf(stderr, "Kept %s as it was in %s: it holds lines a save never writes\n",
                 file.path.c_str(), copy.c_str());
    return true;
}

bool saveFailed(const ScoreFile& file, int error) {
    std::fprintf(stderr, "Couldn't save the scores to %s: %s\n", file.path.c_str(),
                 std::strerror(error));
    return false;
}

}  // namespace

ScoreTable loadScores(const char* path, int* failure, bool* unlikeSaved) {
    ScoreReader reader;
    int error = 0;
    const int fd = openRegular(path, error);
    if (fd >= 0) {
        char buffer[4096];
        ssize_t got;
        while ((got = read(fd, buffer, sizeof buffer)) > 0) {
            reader.feed(buffer, static_cast<std::size_t>(got));
        }
        error = got < 0 ? errno : 0;
        close(fd);
    }
    if (failure != nullptr) {
        *failure = error;
    }
    ScoreTable table = reader.finish();
    if (unlikeSaved != nullptr) {
        *unlikeSaved = reader.unlikeSaved();
    }
    return table;
}

ScoreFile openScoreFile(const char* path) {
    ScoreFile file{path, {}, {}, true};
    std::string target;
    // A link that cannot be followed is found unreadable.
    readForSaving(file, followLinks(path, target) ? target.c_str() : path, file.table);
    return file;
}

void fileScore(ScoreFile& file, int32_t score, const char* name) {
    insertScore(file.table, score, name);
    insertScore(file.filed, score, name);
}

bool saveScoreFile(ScoreFile& file) {
    std::string target;
    if (!file.writable) {
        return false;
    }
    scoresToBeSaved();
    if (!followLinks(file.path.c_str(), target)) {
        return saveFailed(file, errno);
    }
    const FileLock lock(target + ".lock");
    if (lock.failure() == 0) {
        removeLeftovers(target);
    }
    if (lock.failure() == kLockHeldElsewhere && file.filed.empty()) {
        // Nothing of this run's to add: a write without the lock could only put back an older
        // table over a score that another game is saving.
        std::fprintf(stderr, "Left the scores in %s as they were: %s\n", file.path.c_str(),
                     lockProblem(lock, target).c_str());
        return false;
    }
    // Another game may have saved since this one read the file: what it saved is kept.
    ScoreTable table;
    bool unlikeSaved = false;
    if (!readForSaving(file, target.c_str(), table, &unlikeSaved) ||
        (unlikeSaved && !keepDamaged(file, target))) {
        return false;
    }
    for (const ScoreEntry& entry : file.filed) {
        insertScore(table, entry.score, entry.name);
    }
    const std::string text = formatScores(table);
    const int refusal = replaceFile(target, text);
    int error = refusal;
    if (refusedByFolder(refusal)) {
        // The folder takes no new file (or, sticky, no rename over another player's), but the
        // file itself may still be written.
        error = rewriteFile(target, text);
        if (error == 0 && !file.savedInPlace) {
            std::fprintf(stderr,
                         "Saved the scores to %s in place, not atomically: its folder refused a "
                         "new file: %s\n",
                         file.path.c_str(), std::strerror(refusal));
            file.savedInPlace = true;
        }
    }
    if (error != 0) {
        return saveFailed(file, error);
    }
    if (lock.failure() != 0) {
        std::fprintf(stderr, "Saved the scores to %s unlocked: %s\n", file.path.c_str(),
                     lockProblem(lock, target).c_str());
    }
    file.table = table;
    file.filed.clear();
    scoresSaved();
    return true;
}
