// A fresh working folder for a test that runs the program: "data.dat", Images/ and Sounds/ live
// there.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

class WorkFolder {
  public:
    // Makes the folder and changes into it; with pictures, Images/ and Sounds/ hold the game's
    // pictures and sounds.
    explicit WorkFolder(bool withPictures = true) {
        path_ = (std::filesystem::temp_directory_path() / "dwindle-test-XXXXXX").string();
        std::filesystem::current_path(mkdtemp(path_.data()));
        if (withPictures) {
            std::filesystem::create_directory_symlink(DWINDLE_IMAGES_DIR, "Images");
            std::filesystem::create_directory_symlink(DWINDLE_SOUNDS_DIR, "Sounds");
        }
    }
    ~WorkFolder() {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(path_);
    }
    WorkFolder(const WorkFolder&) = delete;

    // Files are named from the folder, the working one while it lasts.
    void write(const std::string& file, const std::string& text) const {
        std::ofstream(file, std::ios::binary) << text;
    }
    // The text of a file, named from the working folder or by its full path; anything but a
    // plain file (a FIFO would wait for ever) reads as nothing.
    static std::string read(const std::string& file) {
        std::stringstream text;
        text << std::ifstream(std::filesystem::is_regular_file(file) ? file : "").rdbuf();
        return text.str();
    }

  private:
    std::string path_;
    const std::string previous_ = std::filesystem::current_path().string();
};
