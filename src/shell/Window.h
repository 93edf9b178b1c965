// The window's title and icon, for desktops that show them.
#pragma once

// Titles the window "Dwindle" and gives it the icon in "Images/icon.png". Called once, before
// the video mode is set, because SDL reads the icon when it makes the window. Harmless without
// a window manager, as on the handheld.
void setWindowTitleAndIcon();
