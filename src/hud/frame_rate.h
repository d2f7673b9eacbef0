#pragma once

// Whether the frame rate line is drawn; off until the player asks for it.
extern bool gShowFrameRate;

// "60 fps  60 ticks/s" top left on a see-through band, or just below the
// replay banner while one is shown.
void drawFrameRate(double framesPerSecond, double ticksPerSecond, bool belowReplayBanner = false);
