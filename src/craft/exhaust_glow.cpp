#include "craft/exhaust_glow.h"

#include "craft/player.h"

ExhaustGlow gExhaust;

namespace {
constexpr int32_t MAX_LAYERS = 6;
}

void ExhaustGlow::update(const Player& player) {
    if (player.throttle > 0.0f) {
        if (layers < MAX_LAYERS) {
            ++layers;
        }
    } else if (layers > 1) {
        --layers;
    }
}
