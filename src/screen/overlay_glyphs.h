#pragma once

#include "hud/overlay.h"

// The overlay's "Courier New" characters 32..127 at each HUD size's pixel
// height, rendered by FreeType from the face fontconfig chooses (Debian maps
// it to a metric-compatible mono face). Empty when no font can be found.
OverlayFaces rasterizeOverlayGlyphs();
