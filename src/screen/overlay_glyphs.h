#pragma once

#include "hud/overlay.h"

// The overlay's 12-pixel "Courier New" characters 32..127, rendered by
// FreeType from the face fontconfig chooses (Debian maps it to a
// metric-compatible mono face). Empty when no font can be found.
OverlayGlyphs rasterizeOverlayGlyphs();
