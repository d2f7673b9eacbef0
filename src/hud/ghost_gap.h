#pragma once

#include <cstdint>
#include <string>

#include "models/palette.h"

// The gap to the ghost in seconds: "-0.840" ahead of it, "+1.200" behind,
// "0.000" level with it.
std::string ghostGapText(int32_t ms);
// Green ahead, red behind, white level.
ColorCode ghostGapColor(int32_t ms);

// The gap at the lap line just crossed, large in the middle of the picture's
// upper part, clear of the finish panel below it.
void drawGhostGap(int32_t ms);
