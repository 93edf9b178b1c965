// The platforms and letters drawn once at start-up with SDL_gfx, which also draws whatever
// could not be drawn once.
#include "platform/DrawnOnce.h"

#include "gfx/GlyphSheet.h"
#include "gfx/PlatformCache.h"

bool makeDrawnOnce(PlatformCache& platforms, GlyphSheet& glyphs, const SDL_Surface* screen) {
    fillPlatformCache(platforms, screen);
    fillGlyphSheet(glyphs, screen);
    return true;
}
