#pragma once

#include "track/track.h"

// What every circuit must keep, so the road with its leaning walls never
// touches itself, the inner wall never folds, the grid stands on a straight
// and a lap is neither a sprint nor a marathon.
constexpr double MIN_CLEARANCE = 8000.0;              // between parts of the lap far apart
constexpr double CLEARANCE_LAP_FRACTION = 0.05;       // "far apart": more than this of a lap
constexpr double MIN_TURN_RADIUS = 3000.0;            // of the centre line
constexpr double START_STRAIGHT_LAP_FRACTION = 0.02;  // either side of the start line
constexpr double MAX_START_TURN_DEGREES = 10.0;       // heading change along it
constexpr double MIN_LAP_LENGTH = 1.2e6;
constexpr double MAX_LAP_LENGTH = 2.4e6;
// No farther from the middle of the world than the classic reaches, in x or z,
// so the sky around the world covers every circuit.
constexpr double MAX_REACH = 600000.0;
// Beyond this the clearance is not measured exactly: it is only known to be larger.
constexpr double CLEARANCE_SEARCH = 20000.0;

// A circuit's centre line, measured on a fine sampling of one lap.
struct CircuitFigures {
    double lapLength = 0.0;
    // Closest approach of two points more than CLEARANCE_LAP_FRACTION of a lap
    // apart along it, or CLEARANCE_SEARCH when none come that close.
    double clearance = 0.0;
    double tightestRadius = 0.0;
    double startTurnDegrees = 0.0;
    // The farthest the centre line goes from the world's middle in x or z.
    double reach = 0.0;
    // How far the curve's end at TRACK_PERIOD lies from its start.
    double closingGap = 0.0;
};

// quick: the clearance, the costliest figure, is looked for only up to
// MIN_CLEARANCE (a circuit that keeps the rule gets that), and not at all (0)
// for a circuit that already breaks another rule.
CircuitFigures measureCircuit(const Track& track, bool quick = false);

bool keepsTheRules(const CircuitFigures& figures, bool ignoringClearance = false);
