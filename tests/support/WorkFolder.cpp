// A fresh working folder per test that runs the program, and score files to put in it.
#include "support/WorkFolder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

WorkFolder::WorkFolder(bool withPictures) : previous_(fs::current_path().string()) {
    std::string pattern = (fs::temp_directory_path() / "dwindle-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "cannot make a working folder";
    }
    path_ = pattern;
    if (withPictures) {
        fs::create_directory_symlink(DWINDLE_IMAGES_DIR, fs::path(path_) / "Images");
    }
    fs::current_path(path_);
}

WorkFolder::~WorkFolder() {
    fs::current_path(previous_);
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void WorkFolder::write(const std::string& file, const std::string& text) const {
    std::ofstream out(fs::path(path_) / file, std::ios::binary);
    out << text;
}

std::string WorkFolder::read(const std::string& file) const {
    std::ifstream in(fs::path(path_) / file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool WorkFolder::exists(const std::string& file) const {
    return fs::exists(fs::path(path_) / file);
}

std::string scoreFile(const int scores[10], const char* const names[10]) {
    std::string text;
    for (int i = 0; i < 10; ++i) {
        text += std::to_string(scores[i]) + "\n" + names[i] + "\n";
    }
    return text;
}
