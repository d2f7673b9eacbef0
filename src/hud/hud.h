// hud: what is drawn flat over the race: the font, clock and laps, place digit, records,
// track map, panels.
#pragma once

#include <cstdint>

// The race clock in red, the lap labels in grey and the completed laps in
// white, bottom right.
void drawHud();

// The craft's speed in grey beside the clock's block, on its bottom line,
// just left of the lap labels.
void drawSpeed(float unitsPerTick);

// Where the clock's corner block begins on the left, its records and the
// speed included, in overlay units.
float clockBlockLeft();

// The player's records in grey on the two lines above the clock (the screen
// ends just under the third lap): "best lap" and "best race" with their times
// in the clock's column. A record of 0 is not there yet and shows nothing.
void drawBestTimes(uint32_t bestLapMs, uint32_t bestRaceMs);

// Watching a replay: "REPLAY" top left (with "4x" while fast-forwarding,
// "PAUSED" while paused) on a see-through band, the keys that change the view
// on its right and the keys that wind it beneath.
void drawReplayBanner(bool fastForward, bool paused);
// Where the replay banner's band ends, at the chosen size.
float replayBannerBottom();

// The glowing digit of the player's place, top right. Draws nothing before
// the first refresh.
void drawPositionIndicator();

// The gTextures index of the digit for a place, or -1 when there is none.
int positionIndicatorTexture(int32_t place);
