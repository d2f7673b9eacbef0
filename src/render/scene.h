// render: the race's 3D picture: craft, track, sky, shadows, exhaust glow and shot.
#pragma once

#include <cstdint>

#include "hud/overlay.h"
#include "race/race.h"

// Everything the frames need, prepared once while the window is created:
// the font, the models, the textures, the race's start, the lights.
void setupScene(const OverlayFaces& glyphs);

// The player's and the opponents' craft read from the data folder, drawing
// nothing: all a race needs of them to run without a window.
void loadCraftModels();

// A race from the grid, the same at launch and for every race after: the
// race's start, then the opponents' display lists compiled in the colours it
// drew for them. Needs the models loaded and the context current.
void lineUpTheGrid(uint32_t seed = RACE_SEED);

// Puts the two lights in place for this frame, right after the camera.
void placeLights();
