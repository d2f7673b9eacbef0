#pragma once

// Everything the frames need, prepared once while the window is created:
// font and clock, models, textures, opponents, the player's start, lights.
void setupScene();

// Puts the two lights in place for this frame, right after the camera.
void placeLights();
