// The player's sound switches kept from run to run in the settings file.
#include "shell/Settings.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "shell/PosixFiles.h"
#include "sound/Sounds.h"

namespace {

constexpr char kSettingsFile[] = "settings.txt";
// Far more than the two lines: a larger file is not ours, and is not read.
constexpr std::size_t kMostBytes = 256;

std::string formatSettings(const Sounds& sounds) {
    return std::string("music ") + (sounds.musicOff ? "off" : "on") + "\nsound " +
           (sounds.off ? "off" : "on") + "\n";
}

// Reads the file's text, at most kMostBytes + 1 of it. Returns 0, or why not (as openRegular).
int readSettings(std::string& text) {
    int failure = 0;
    // A link is not followed: the file is the player's own, in the data folder.
    const int fd = openRegular(kSettingsFile, failure, false);
    if (fd < 0) {
        return failure == 0 ? ENOENT : failure;
    }
    char buffer[kMostBytes + 1];
    ssize_t got = 0;
    while (text.size() <= kMostBytes && (got = read(fd, buffer, sizeof buffer - text.size())) > 0) {
        text.append(buffer, static_cast<std::size_t>(got));
    }
    failure = got < 0 ? errno : text.size() > kMostBytes ? EFBIG : 0;
    close(fd);
    return failure;
}

// Sets the switches from the text's lines; false, with them untouched, for a line of anything
// else than the two names and on or off.
bool parseSettings(const std::string& text, Sounds& sounds) {
    bool musicOff = false, soundOff = false;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        const std::string line = text.substr(start, end - start);
        start = end == std::string::npos ? text.size() : end + 1;
        bool* const setting = line.rfind("music ", 0) == 0   ? &musicOff
                              : line.rfind("sound ", 0) == 0 ? &soundOff
                                                             : nullptr;
        const std::string value = line.substr(line.find(' ') + 1);
        if (setting == nullptr || (value != "on" && value != "off")) {
            return false;
        }
        *setting = value == "off";
    }
    sounds.musicOff = musicOff;
    sounds.off = soundOff;
    return true;
}

}  // namespace

void loadSettings(Sounds& sounds) {
    std::string text;
    const int failure = readSettings(text);
    if (failure == ENOENT) {
        return;
    }
    if (failure != 0 || !parseSettings(text, sounds)) {
        std::fprintf(stderr, "Couldn't read the settings from %s: %s; music and sound on\n",
                     kSettingsFile, failure != 0 ? describeFailure(failure) : "a damaged line");
    }
}

void saveSettings(Sounds& sounds) {
    const std::string text = formatSettings(sounds);
    int error = replaceFile(kSettingsFile, text);
    if (refusedByFolder(error)) {
        error = rewriteFile(kSettingsFile, text);
    }
    if (error != 0 && !sounds.unsaved) {
        sounds.unsaved = true;
        std::fprintf(stderr, "Couldn't save the settings to %s: %s; they last for this run\n",
                     kSettingsFile, std::strerror(error));
    }
}
