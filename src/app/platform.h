#pragma once

#include <cstdint>

#include "assets/player_messages.h"

// The machine services the shell gives the game, kept free of SDL types; the
// message boxes and the program's end are declared with the assets that need them.

// Shows the finished frame in the game window, if there is one, scaled to the
// window when it was drawn off screen.
void swapGameBuffers();
