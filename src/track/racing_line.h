#pragma once

#include <vector>

#include "track/track.h"

// A line round the lap that cuts toward the inside of each turn within the
// road: the centre line pulled as taut as the road lets it, so its turns are
// as wide as they can be. Worked out from the circuit's curve alone.
struct RacingLinePoint {
    double t = 0.0;  // the centre line's parameter it stands beside
    double x = 0.0;
    double z = 0.0;
    double offset = 0.0;     // from the centre line, across the road
    double curvature = 0.0;  // one over the radius of its turn here; 0 on a straight
    double length = 0.0;     // to the next point
};

// Points on an even grid of the centre line's parameter over one lap.
constexpr int RACING_LINE_POINTS = 2048;

// No farther from the centre line than this share of the road's half width,
// short of where the wall starts to drag.
constexpr double RACING_LINE_ROAD_SHARE = 0.62;

std::vector<RacingLinePoint> racingLine(const Track& track);

// The point of line nearest the parameter t.
int racingLineIndexAt(const std::vector<RacingLinePoint>& line, double t);
