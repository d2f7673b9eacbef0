#pragma once

#include "render/overlay.h"

// Everything the frames need, prepared once while the window is created:
// the font, the models, the textures, the race's start, the lights.
void setupScene(const OverlayGlyphs& glyphs);

// Puts the two lights in place for this frame, right after the camera.
void placeLights();
