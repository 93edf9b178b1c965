// The game's pictures, each named once: how the game reads it, its name there and its file in
// Images/.
//
// Included wherever a list of them is made, with the kinds that list takes defined first:
//   KEYED(field, file)       loaded at start-up into Pictures::field, white made see-through
//   PLAIN(field, file)       loaded at start-up into Pictures::field as it is
//   ICON(name, file)         the window's icon, read with its alpha, "Images/file" as name
//   DRAWN_ONCE(name, file)   the letters or the platforms the desktop draws once at start-up,
//                            read from the file in the browser, "Images/file" as name
// A kind left undefined is left out, and all are undefined again at the end. The pictures load
// in the list's order. The build reads the files from these lines too (cmake/Assets.cmake), and
// the picture generator draws each file from the recipe of that name (tools/make_pictures.cpp).
// A new picture is a line here, its recipe there, and the field the game draws it from.
#ifndef KEYED
#define KEYED(field, file)
#endif
#ifndef PLAIN
#define PLAIN(field, file)
#endif
#ifndef ICON
#define ICON(name, file)
#endif
#ifndef DRAWN_ONCE
#define DRAWN_ONCE(name, file)
#endif

// clang-format off
KEYED(player,     "char.png")
KEYED(portal,     "portal.png")
PLAIN(background, "image.jpg")       // the board, and each pass's canvas
KEYED(bonus[0],   "bbonus.png")      // the pickups: points,
KEYED(bonus[1],   "obonus.png")      //   penalty,
KEYED(bonus[2],   "rbonus.png")      //   an extra life,
KEYED(bonus[3],   "gbonus.png")      //   recall
KEYED(enemy[0],   "enemy1.png")
KEYED(enemy[1],   "enemy2.png")
KEYED(enemy[2],   "enemy3.png")
KEYED(intro,      "intro.png")       // the second splash: how to play
KEYED(nameScreen, "namescreen.png")  // the first splash
KEYED(menu,       "menu.png")
PLAIN(nameEntry,  "menu2.jpg")
ICON(kIconFile,   "icon.png")
DRAWN_ONCE(kGlyphSheetFile, "glyphs.png")
DRAWN_ONCE(kPlatformsFile,  "platforms.png")
// clang-format on

#undef KEYED
#undef PLAIN
#undef ICON
#undef DRAWN_ONCE
