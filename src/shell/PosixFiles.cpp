// File mechanics for a file that must never be lost or half written: a regular file opened
// without blocking, links followed, a lock with a deadline, and a file replaced whole through a
// temporary file of its own. They know nothing of what the file holds.
#include "shell/PosixFiles.h"

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

namespace {

// A lock held elsewhere for two seconds, 200 polls of 10 ms, is given up: a game is never
// stopped by a stopped game.
constexpr int kLockPolls = 200;
constexpr long kLockPollNs = 10'000'000;
// mkstemp's template for the temporary files: the target's name, ".saving-" and six letters or
// digits, a name no player gives a file of their own.
constexpr char kTemporaryMark[] = ".saving-";
constexpr char kTemporarySuffix[] = ".saving-XXXXXX";
// A temporary file younger than this may be a replacement's in flight, one made without the
// lock.
constexpr time_t kLeftoverAgeS = 10;

// The folder that holds path, with its closing slash, or "." for the working folder.
std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

// Writes text at the start of the file open at fd, then `settle`s it (errno set when that
// fails), syncs it and closes fd. Returns 0, or the errno of the first step that failed.
template <typename Settle>
int writeThrough(int fd, const std::string& text, Settle settle) {
    int error = 0;
    const auto check = [&error](bool done) {
        if (error == 0 && !done) {
            error = errno != 0 ? errno : EIO;
        }
    };
    errno = 0;
    std::FILE* file = fdopen(fd, "wb");
    check(file != nullptr);
    if (file == nullptr) {
        close(fd);
        return error;
    }
    check(std::fwrite(text.data(), 1, text.size(), file) == text.size());
    check(std::fflush(file) == 0);
    check(settle());
    check(fsync(fd) == 0);
    check(std::fclose(file) == 0);
    return error;
}

// The mode a new plain file gets under the umask.
mode_t newFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

// Looked at first: a FIFO would wait for a writer, and opening a device can do anything.
int openRegular(const char* path, int& failure, bool followLinks) {
    struct stat info;
    failure = 0;
    if ((followLinks ? stat(path, &info) : lstat(path, &info)) != 0) {
        failure = errno == ENOENT ? 0 : errno;
        return -1;
    }
    const bool regular = S_ISREG(info.st_mode);
    const int noFollow = followLinks ? 0 : O_NOFOLLOW;
    const int fd =
        regular ? open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | noFollow) : -1;
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

const char* describeFailure(int failure) {
    return failure == kNotRegularFile ? "Not a regular file" : std::strerror(failure);
}

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

FileLock::FileLock(const std::string& path)
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

FileLock::~FileLock() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

int newFileRefusal(const std::string& path) {
    const bool refused =
        faccessat(AT_FDCWD, folderOf(path).c_str(), W_OK | X_OK, AT_EACCESS) != 0 &&
        refusedByFolder(errno);
    return refused ? errno : 0;
}

bool refusedByFolder(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

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

int replaceFile(const std::string& target, const std::string& text) {
    std::string temporary = target + kTemporarySuffix;
    // Created exclusively: a file or link already under a name is never opened.
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        return errno;
    }
    struct stat old;
    const bool replacing = stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    // The data must be on disk before the rename makes it the score file, or a power cut could
    // leave an empty file behind.
    int error = writeThrough(fd, text, [&] {
        if (replacing) {
            // Another user's save (root's, say) leaves the file its owner's, so that the owner
            // can still save to it; where the owner may not be given, the group may still be.
            [[maybe_unused]] const bool owned = fchown(fd, old.st_uid, old.st_gid) == 0 ||
                                                fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0;
        }
        return fchmod(fd, replacing ? old.st_mode & 07777 : newFileMode()) == 0;
    });
    if (error == 0 && std::rename(temporary.c_str(), target.c_str()) != 0) {
        error = errno;
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

int copyAside(const std::string& from, const std::string& to, std::string& made) {
    int failure = 0;
    const int in = openRegular(from.c_str(), failure);
    struct stat old;
    if (in < 0 || fstat(in, &old) != 0) {
        const int error = in < 0 ? (failure > 0 ? failure : EINVAL) : errno;
        if (in >= 0) {
            close(in);
        }
        return error;
    }
    int out = -1;
    for (int n = 1; out < 0 && n < 100; ++n) {
        made = n == 1 ? to : to + "-" + std::to_string(n);
        // Made only if new: an earlier copy, or a link planted under its name, is never opened.
        out = open(made.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (out < 0 && errno != EEXIST) {
            break;
        }
    }
    int error = out < 0 ? errno : 0;
    char buffer[65536];
    for (ssize_t got; error == 0 && (got = read(in, buffer, sizeof buffer)) != 0;) {
        error = got < 0 || write(out, buffer, static_cast<std::size_t>(got)) != got
                    ? (errno != 0 ? errno : EIO)
                    : 0;
    }
    if (error == 0) {
        [[maybe_unused]] const bool owned = fchown(out, old.st_uid, old.st_gid) == 0 ||
                                            fchown(out, static_cast<uid_t>(-1), old.st_gid) == 0;
        error = fchmod(out, old.st_mode & 07777) != 0 || fsync(out) != 0 ? errno : 0;
    }
    close(in);
    if (out >= 0 && close(out) != 0 && error == 0) {
        error = errno;
    }
    if (error != 0 && out >= 0) {
        unlink(made.c_str());
    }
    return error;
}

int rewriteFile(const std::string& target, const std::string& text) {
    // Looked at first, as by openRegular: opening a FIFO or a device can wait or do anything.
    struct stat info;
    if (lstat(target.c_str(), &info) != 0) {
        return errno;
    }
    const int fd = S_ISREG(info.st_mode)
                       ? open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC)
                       : -1;
    if (fd < 0) {
        return S_ISREG(info.st_mode) ? errno : EINVAL;
    }
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {  // swapped since the look
        close(fd);
        return EINVAL;
    }
    // Cut only once the new table is written: a crash on the way leaves no empty file.
    return writeThrough(fd, text,
                        [&] { return ftruncate(fd, static_cast<off_t>(text.size())) == 0; });
}
