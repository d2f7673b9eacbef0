#pragma once

#include "hud/overlay.h"

// The overlay's "Courier New" characters 32..127 at a pixel height, rendered
// by FreeType (in whole pixels up to 14, antialiased above) from the face fontconfig chooses
// (Debian maps it to a metric-compatible mono face). Empty when no font can be found. Safe on any
// thread.
OverlayGlyphs rasterizeOverlayFace(int pixelHeight);

// The font for the overlay on the screen it is laid out on now: the text
// heights of its three HUD sizes made ahead, any other made when needed.
OverlayFaces rasterizeOverlayGlyphs();
