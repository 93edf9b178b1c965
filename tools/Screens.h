// The full-screen pictures: the play background, the two splash screens and the two menus.
#pragma once

#include "Canvas.h"

constexpr int kScreenWidth = 320;
constexpr int kScreenHeight = 240;

Canvas playBackground();   // image.jpg
Canvas makerScreen();      // namescreen.png
Canvas howToPlayScreen();  // intro.png
Canvas highScoreMenu();    // menu.png
Canvas nameEntryScreen();  // menu2.jpg
