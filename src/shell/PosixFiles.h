// File mechanics for a file that must never be lost or half written: a regular file opened
// without blocking, links followed, a lock with a deadline, and a file replaced whole through a
// temporary file of its own, or written in place where its folder refuses one. They know
// nothing of what the file holds.
#pragma once

#include <string>

// Opens path for reading when it is a regular file, without blocking; with followLinks false,
// a symbolic link is no regular file. Returns the descriptor, or -1 with failure set: 0 when
// there is no file, kNotRegularFile, or an errno.
int openRegular(const char* path, int& failure, bool followLinks = true);
constexpr int kNotRegularFile = -1;
// A failure of openRegular, or an errno, in words.
const char* describeFailure(int failure);

// Why no new file can be made at path, as a plain write would find it: an errno for which
// refusedByFolder holds, or 0, also when the folder does not exist (a save then says why).
int newFileRefusal(const std::string& path);
// True for a folder's refusal to take a new file, or a rename over one (its permissions, a
// sticky folder, a read-only file system).
bool refusedByFolder(int error);

// The file a save to path replaces: path itself, or where the chain of symbolic links it starts
// ends, which need not exist yet. Returns false with errno set when a link cannot be followed.
bool followLinks(const char* path, std::string& target);

// An exclusive lock on the file at path, made if missing (readable by every player, so that each
// can open it to take the lock), had within two seconds or not at all, and held until
// destroyed. It dies with the process that holds it, however that ends.
class FileLock {
  public:
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // 0 when held, kLockHeldElsewhere, or the errno of why not.
    int failure() const { return failure_; }

  private:
    int fd_;
    int failure_;
};
constexpr int kLockHeldElsewhere = -2;

// Removes the temporary files that replacements of target killed half-way left beside it,
// older than a replacement takes. Done under the lock; the age spares the file of a
// replacement made without it.
void removeLeftovers(const std::string& target);

// Puts text in place of target through a temporary file of a fresh name in the same folder,
// synced, with target's mode, owner and group (as far as they may be given), renamed over it.
// Returns 0, or the errno of the step that failed; the temporary file never stays behind.
int replaceFile(const std::string& target, const std::string& text);
// Copies the regular file at from to a new file named to, or to with "-2", "-3", ... where that
// is taken (never over an existing file), synced, with from's mode, owner and group as far as
// they may be given; made holds its name. Returns 0 or the errno of the step that failed; a
// copy that fails never stays behind.
int copyAside(const std::string& from, const std::string& to, std::string& made);
// Writes text over target itself, in place, for a folder that refuses replaceFile's temporary
// file: from the start, then cut to its length and synced. Its mode, owner and group stay; not
// atomic. Only an existing regular file, never through a link. Returns 0 or an errno.
int rewriteFile(const std::string& target, const std::string& text);
