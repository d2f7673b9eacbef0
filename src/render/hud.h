#pragma once

#include <cstdint>

// The player's place, 1 (leading) to 6, refreshed every tenth frame; 0 until
// the first refresh.
extern int32_t gRacePosition;

// The race clock in red, the lap labels in grey and the completed laps in
// white, bottom right; refreshes the race position and registers laps.
void drawHud();

// The glowing digit of the player's place, top right. Draws nothing before
// the first refresh.
void drawPositionIndicator();

// The gTextures index of the digit for a place, or -1 when there is none.
int positionIndicatorTexture(int32_t place);
