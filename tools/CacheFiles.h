// The game's drawn-once letters and platforms written as PNG files, for a build without SDL_gfx.
#pragma once

#include <string>

// Draws the glyph sheet and the platform cache as the game does at start-up, in the 16-bit
// screen format, and writes them in the layout src/gfx/PictureFiles.h gives into folder as
// glyphs.png and platforms.png. False when a surface cannot be made or a file written.
bool writeCacheFiles(const std::string& folder);
