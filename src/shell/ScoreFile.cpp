// The score file on disk: reading it, saving the table under its lock beside it, and what a
// run says when it cannot keep its scores.
#include "shell/ScoreFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

#include "shell/Platform.h"

namespace {

// A lock held elsewhere for two seconds, 200 polls of 10 ms, no longer holds up a save: the
// game is never stopped by a stopped game.
constexpr int kLockPolls = 200;
constexpr long kLockPollNs = 10'000'000;
constexpr int kLockHeldElsewhere = -2;
// mkstemp's template for the temporary files: the target's name, ".saving-" and six letters or
// digits, a name no player gives a file of their own.
constexpr char kTemporaryMark[] = ".saving-";
constexpr char kTemporarySuffix[] = ".saving-XXXXXX";
// A temporary file younger than this may be a save's in flight, one made without the lock.
constexpr time_t kLeftoverAgeS = 10;

const char* describe(int failure) {
    return failure == kNotRegularFile ? "Not a regular file" : std::strerror(failure);
}

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

// The folder that holds path, with its closing slash, or "." for the working folder.
std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

// Opens path for reading when it is a regular file. It is looked at first, and opened without
// blocking: a FIFO would wait for a writer, and opening a device can do anything. Returns -1
// with failure set, to 0 when there is no file.
int openRegular(const char* path, int& failure) {
    struct stat info;
    failure = 0;
    if (stat(path, &info) != 0) {
        failure = errno == ENOENT ? 0 : errno;
        return -1;
    }
    const bool regular = S_ISREG(info.st_mode);
    const int fd = regular ? open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC) : -1;
    if (fd < 0) {
        // A file removed since the look is no file, as if it had never been there.
        failure = regular                 ? (errno == ENOENT ? 0 : errno)
                  : S_ISDIR(info.st_mode) ? EISDIR
                                          : kNotRegularFile;
    } else if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {  // swapped since the look
        close(fd);
        failure = kNotRegularFile;
        return -1;
    }
    return fd;
}

// Reads path into table, as a save must before it replaces the file. A file that cannot be
// read, or that this player may not write (as a plain write would find it: its mode, or a
// read-only file system), is said once and never written over from then on.
bool readForSaving(ScoreFile& file, const char* path, ScoreTable& table) {
    int failure = 0;
    table = loadScores(path, &failure);
    const char* doing = "read the scores from";
    if (failure == 0 && faccessat(AT_FDCWD, path, W_OK, AT_EACCESS) != 0 && errno != ENOENT) {
        failure = errno;
        doing = "write the scores to";
    }
    if (failure != 0) {
        file.writable = false;
        std::fprintf(stderr, "Couldn't %s %s: %s; this run's scores will not be saved\n", doing,
                     file.path.c_str(), describe(failure));
    }
    return failure == 0;
}

// An exclusive lock on the file at path, had within two seconds or not at all, and held until
// destroyed. It dies with the process that holds it, however that ends.
class SaveLock {
  public:
    explicit SaveLock(const std::string& path)
        // Never through a link planted under its name, which could make a file where it points.
        : fd_(open(path.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666)) {
        failure_ = fd_ < 0 ? errno : kLockHeldElsewhere;
        // Readable by every player, whatever the umask of whoever made it, so that each can
        // open it to take the lock; only its owner can change that.
        [[maybe_unused]] const bool shared = fd_ >= 0 && fchmod(fd_, 0644) == 0;
        const timespec poll{0, kLockPollNs};
        for (int polls = 0; fd_ >= 0 && polls < kLockPolls; ++polls) {
            if (flock(fd_, LOCK_EX | LOCK_NB) == 0) {
                failure_ = 0;
                break;
            }
            if (errno != EWOULDBLOCK && errno != EINTR) {
                failure_ = errno;
                break;
            }
            nanosleep(&poll, nullptr);
        }
    }
    ~SaveLock() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    SaveLock(const SaveLock&) = delete;
    SaveLock& operator=(const SaveLock&) = delete;

    // 0 when held, otherwise why not.
    int failure() const { return failure_; }

  private:
    int fd_;
    int failure_;
};

// Removes the temporary files that saves killed half-way left beside target: regular files
// named by kTemporarySuffix's pattern, older than a save takes. Done under the lock; the age
// spares the file of a save that went ahead without it.
void removeLeftovers(const std::string& target) {
    // Past the last slash; npos + 1 wraps to the start of a name without one.
    const std::string prefix = target.substr(target.rfind('/') + 1) + kTemporaryMark;
    const time_t now = time(nullptr);
    DIR* folder = opendir(folderOf(target).c_str());
    for (const dirent* entry; folder != nullptr && (entry = readdir(folder)) != nullptr;) {
        const std::string name = entry->d_name;
        struct stat info;
        if (name.size() == prefix.size() + sizeof kTemporarySuffix - sizeof kTemporaryMark &&
            name.compare(0, prefix.size(), prefix) == 0 &&
            std::all_of(name.begin() + prefix.size(), name.end(),
                        [](unsigned char c) { return std::isalnum(c) != 0; }) &&
            fstatat(dirfd(folder), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(info.st_mode) && info.st_mtime + kLeftoverAgeS < now) {
            unlinkat(dirfd(folder), name.c_str(), 0);
        }
    }
    if (folder != nullptr) {
        closedir(folder);
    }
}

// The mode a new plain file gets under the umask.
mode_t newFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Puts text in place of target through a temporary file of a fresh name in the same folder.
// Returns 0, or the errno of the step that failed; the temporary file never stays behind.
int replaceFile(const std::string& target, const std::string& text) {
    std::string temporary = target + kTemporarySuffix;
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
    struct stat old;
    const bool replacing = stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    errno = 0;
    std::FILE* file = fdopen(fd, "wb");
    check(file != nullptr);
    if (file != nullptr) {
        // The data must be on disk before the rename makes it the score file, or a power cut
        // could leave an empty file behind.
        check(std::fwrite(text.data(), 1, text.size(), file) == text.size());
        check(std::fflush(file) == 0);
        if (replacing) {
            // Another user's save (root's, say) leaves the file its owner's, so that the owner
            // can still save to it; where the owner may not be given, the group may still be.
            [[maybe_unused]] const bool owned = fchown(fd, old.st_uid, old.st_gid) == 0 ||
                                                fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0;
        }
        check(fchmod(fd, replacing ? old.st_mode & 07777 : newFileMode()) == 0);
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
    const int folderFd = open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY);
    if (folderFd >= 0) {
        fsync(folderFd);
        close(folderFd);
    }
    return 0;
}

// Why a save went without its lock, for its message.
std::string lockProblem(const SaveLock& lock, const std::string& target) {
    return lock.failure() == kLockHeldElsewhere
               ? "lock held elsewhere for 2 s"
               : target + ".lock: " + std::strerror(lock.failure());
}

bool saveFailed(const ScoreFile& file, int error) {
    std::fprintf(stderr, "Couldn't save the scores to %s: %s\n", file.path.c_str(),
                 std::strerror(error));
    return false;
}

}  // namespace

ScoreTable loadScores(const char* path, int* failure) {
    ScoreReader reader;
    int error = 0;
    const int fd = openRegular(path, error);
    if (fd >= 0) {
        char buffer[4096];
        ssize_t got;
        while ((got = read(fd, buffer, sizeof buffer)) > 0 &&
               reader.feed(buffer, static_cast<std::size_t>(got))) {
        }
        error = got < 0 ? errno : 0;
        close(fd);
    }
    if (failure != nullptr) {
        *failure = error;
    }
    return reader.finish();
}

ScoreFile openScoreFile(const char* path) {
    ScoreFile file{path, {}, {}, true};
    readForSaving(file, path, file.table);
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
    const SaveLock lock(target + ".lock");
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
    if (!readForSaving(file, target.c_str(), table)) {
        return false;
    }
    for (const ScoreEntry& entry : file.filed) {
        insertScore(table, entry.score, entry.name);
    }
    const int error = replaceFile(target, formatScores(table));
    if (error != 0) {
        return saveFailed(file, error);
    }
    if (lock.failure() != 0) {
        std::fprintf(stderr, "Saved the scores to %s unlocked: %s\n", file.path.c_str(),
                     lockProblem(lock, target).c_str());
    }
    file.table = table;
    file.filed.clear();
    return true;
}
