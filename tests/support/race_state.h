#pragma once

#include <cstdint>
#include <vector>

#include "craft/exhaust_glow.h"
#include "craft/opponent.h"
#include "craft/player.h"
#include "craft/projectile.h"

namespace testsupport {

// Everything a race holds, taken at one moment, to compare field by field.
// The clock is kept as its reading rather than its start, so two races
// started at different times compare equal at their start.
struct RaceState {
    Player player;
    Opponent opponents[OPPONENT_COUNT];
    std::vector<Color3> opponentColours[OPPONENT_COUNT];
    Projectile projectile;
    ExhaustGlow exhaust;
    int32_t frameCounter = 0;
    int32_t racePosition = 0;
    int32_t finalPlace = 0;
    uint32_t clockReading = 0;
    uint32_t lapMs[3] = {0, 0, 0};
    int32_t lapsSeen = 0;
    int32_t lapsAtLastTime = 0;
    bool paused = false;

    static RaceState now();
};

// Every field of actual against expected, each one a failure of its own.
// Without the drawn values, the fields that come from rand (the opponents'
// start values, weave, lane and colours) are left out.
enum class DrawnValues { Compared, LeftOut };
void expectSameRace(const RaceState& expected, const RaceState& actual,
                    DrawnValues drawn = DrawnValues::Compared);

}  // namespace testsupport
