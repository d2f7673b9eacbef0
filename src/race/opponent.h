#pragma once

#include <cstdint>

#include "assets/model.h"
#include "math/vector3.h"

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

    // Start values, drawn from rand in a fixed order (see opponent.cpp).
    void init();
    void update();
};

constexpr int OPPONENT_COUNT = 5;
extern Opponent gOpponents[OPPONENT_COUNT];

// One frame for every craft, in index order; destroyed ones move too.
void updateOpponents();

// The player's place, 1 to 6.
int32_t racePosition();
