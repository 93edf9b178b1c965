// The game's drawn-once letters and platforms written as PNG files, for a build without SDL_gfx.
#pragma once

#include <string>

// Each draws as the game does at start-up, in the 16-bit screen format, and writes the picture
// to path in the layout src/gfx/PictureFiles.h gives: the glyph sheet, the platform cache.
// False when a surface cannot be made or the file written.
bool writeGlyphSheetFile(const std::string& path);
bool writePlatformsFile(const std::string& path);
