// The platforms and letters in the browser, read from the files the picture generator drew
// them into. Without them the browser's SDL would draw no text and other platforms.
#include <cstdio>
#include <utility>

#include "gfx/PictureFiles.h"
#include "platform/DrawnOnce.h"

bool makeDrawnOnce(PlatformCache& platforms, GlyphSheet& glyphs, const SDL_Surface* screen) {
    const bool platformsRead = loadPlatformCache(platforms, kPlatformsFile, screen);
    const bool glyphsRead = loadGlyphSheet(glyphs, kGlyphSheetFile, screen);
    for (const auto& [read, path] :
         {std::pair{platformsRead, kPlatformsFile}, std::pair{glyphsRead, kGlyphSheetFile}}) {
        if (!read) {
            std::fprintf(stderr, "Couldn't load picture %s\n", path);
        }
    }
    return platformsRead && glyphsRead;
}
