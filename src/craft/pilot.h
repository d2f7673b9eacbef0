#pragma once

#include <vector>

#include "craft/player.h"
#include "track/racing_line.h"
#include "track/track.h"

// The game's own driver. It sees what a player sees, the circuit's curve
// ahead and its own craft, and presses the same keys: it follows a racing
// line and brakes before the turns its speed would not make. It never fires.
// Its keys follow from the circuit and the craft alone, so a circuit gives
// the same run on every machine.
class Pilot {
public:
    explicit Pilot(const Track& track);

    KeyboardInput keys(const Player& craft) const;

    // The fastest the plan lets the craft fly at each racing line point: what
    // the turn there allows, and less before a turn it must brake for.
    const std::vector<double>& plannedSpeeds() const { return plannedSpeeds_; }
    const std::vector<RacingLinePoint>& line() const { return line_; }

private:
    int nearestPoint(const Player& craft) const;

    std::vector<RacingLinePoint> line_;
    std::vector<double> plannedSpeeds_;
};
