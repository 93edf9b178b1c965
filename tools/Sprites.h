// The game's sprites: the player, the three enemies, the portal and the four pickups.
#pragma once

#include "Canvas.h"

enum class Pickup { Points, Penalty, ExtraLife, SendBack };

// Each sprite is surrounded by the key colour so the game blits only the figure.
Canvas playerSprite();
Canvas enemySprite(int number);  // 1 to 3
Canvas portalSprite();
Canvas pickupSprite(Pickup kind);
// The game's icon: the player's figure centred on a square of the given side, on the key colour.
// Its pixels are scaled by a whole factor so they stay crisp; a side smaller than the figure
// drops a few rows and columns instead.
Canvas gameIcon(int side);
