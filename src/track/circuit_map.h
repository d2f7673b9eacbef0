#pragma once

#include <string>

#include "track/track.h"

// Points round the lap on the map's lines.
constexpr int MAP_POINTS = 720;

// The circuit as an SVG picture in world units, x to the right and z down:
// the centre line and the two road edges as closed polygons, and the start
// line across the road, so a player can look at a circuit before racing it.
std::string circuitMapSvg(const Track& track);
