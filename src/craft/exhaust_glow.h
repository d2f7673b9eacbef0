#pragma once

#include <cstdint>

struct Player;

// The flickering blue-to-pink glow at the player's two engine nozzles, which
// swells while the craft accelerates.
struct ExhaustGlow {
    int32_t layers = 5;           // 1..6 after the first update
    int32_t flareHalfSize = 100;  // model units

    // One layer more while the throttle is open, one less otherwise.
    void update(const Player& player);
    // Additive flares that ignore depth, so they show through what is in front.
    // Without flicker the layers hold where they last were and draw nothing
    // from rand.
    void draw(bool flicker = true) const;
};

extern ExhaustGlow gExhaust;
