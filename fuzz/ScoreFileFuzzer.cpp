// libFuzzer target: any bytes as "data.dat" must load into a sorted table of at least ten
// entries, and saving it over itself then loading again must give back the same first ten.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "shell/ScoreFile.h"

namespace {

void check(bool ok) {
    if (!ok) {
        __builtin_trap();
    }
}

// One folder for the whole run, removed when the fuzzer exits.
struct WorkDir {
    std::string path = (std::filesystem::temp_directory_path() / "score-fuzz-XXXXXX").string();
    WorkDir() { check(mkdtemp(path.data()) != nullptr); }
    ~WorkDir() { std::filesystem::remove_all(path); }
};

void checkTable(const ScoreTable& table) {
    check(table.size() >= kListedScores);
    for (std::size_t i = 0; i < table.size(); ++i) {
        // name[3] == 0 also bounds strlen(name) by three.
        check(table[i].name[3] == '\0' && (i == 0 || table[i - 1].score >= table[i].score));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const WorkDir dir;
    // The copies an earlier input's save kept of a hand-edited file: a folder holding a hundred
    // of one second refuses a save, which is no fault of this input's.
    for (const auto& entry : std::filesystem::directory_iterator(dir.path)) {
        if (entry.path().filename().string().rfind("data.dat.damaged-", 0) == 0) {
            std::filesystem::remove(entry.path());
        }
    }
    const std::string input = dir.path + "/data.dat";
    std::ofstream(input, std::ios::binary).write(reinterpret_cast<const char*>(data), size);

    ScoreFile scores = openScoreFile(input.c_str());
    checkTable(scores.table);
    check(saveScoreFile(scores));
    const ScoreTable again = loadScores(input.c_str());
    checkTable(again);

    // The table read again by the save, as the first read gave it.
    check(formatScores(scores.table) == formatScores(again));
    return 0;
}
