#pragma once

#include <cstdint>

// The race clock in red, the lap labels in grey and the completed laps in
// white, bottom right.
void drawHud();

// The glowing digit of the player's place, top right. Draws nothing before
// the first refresh.
void drawPositionIndicator();

// The gTextures index of the digit for a place, or -1 when there is none.
int positionIndicatorTexture(int32_t place);
