// A fresh working folder for a test that runs the program: "data.dat" and Images/ live there.
#pragma once

#include <string>

class WorkFolder {
  public:
    // Makes the folder and changes into it; with pictures, Images/ holds the game's pictures.
    explicit WorkFolder(bool withPictures = true);
    ~WorkFolder();
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    const std::string& path() const { return path_; }
    void write(const std::string& file, const std::string& text) const;
    std::string read(const std::string& file) const;
    bool exists(const std::string& file) const;

  private:
    std::string path_;
    std::string previous_;
};

// Ten entries, best first, as the game writes them.
std::string scoreFile(const int scores[10], const char* const names[10]);
