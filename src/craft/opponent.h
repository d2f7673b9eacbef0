#pragma once

#include <cstdint>

#include "math/vector3.h"
#include "models/model.h"
#include "saves/difficulty.h"

// A computer craft riding the centre line at its own parameter speed, with a
// lane offset and a weave, paced by a rubber band against the player.
struct Opponent {
    Vector3 position;
    double lambda = 0.0;
    float speed = 0.0f;
    Model model;
    int32_t wobbleX = 0;
    int32_t wobbleZ = 0;
    int32_t destroyed = 0;
    int32_t lane = 0;
    // Times the craft has passed from the end of the lap into the next one.
    int32_t laps = 0;

    // Start values, drawn from rand in a fixed order (see opponent.cpp).
    void init();
    void update();
    // Where its lambda, lane and weave put it, as every update ends; on the
    // grid, so the craft stand there before the race's first tick.
    void placeOnTrack();
};

constexpr int OPPONENT_COUNT = 5;
extern Opponent gOpponents[OPPONENT_COUNT];

// How hard the opponents race: shares of their pace along the track and of
// how hard the rubber band pulls a craft behind the player back up. Normal is
// 1 and 1, the pacing as it always was, to the last bit.
struct OpponentPacing {
    double pace = 1.0;
    double catchUp = 1.0;
};
OpponentPacing pacingFor(Difficulty difficulty);
extern OpponentPacing gOpponentPacing;

// One frame for every craft, in index order; destroyed ones move too.
void updateOpponents();

// How far a craft has come since the start, in track parameter: whole laps
// plus where it is on the lap. Behind the start line at the start it is
// negative, so crossing the line for the first time completes no lap.
double raceDistance(int32_t laps, double lambda);

// The player's place, 1 to 6, by race distance: a craft counts as ahead only
// when it has strictly covered more; wrecks are out of the race.
int32_t racePosition();
