#include <gtest/gtest.h>

#include "craft/exhaust_glow.h"
#include "craft/player.h"

namespace {
// The frame driver updates the glow in frames divisible by 3, before the
// control step of that frame sets the throttle.
int32_t layersAfterFrames(ExhaustGlow& glow, Player& player, int frames, float heldThrottle) {
    for (int frame = 0; frame < frames; ++frame) {
        if (frame % 3 == 0) {
            glow.update(player);
        }
        player.throttle = heldThrottle;
    }
    return glow.layers;
}
}  // namespace

TEST(ExhaustGlowSchedule, StartsAtFiveShrinksInTheFirstFrameAndReachesSixWithUpHeld) {
    ExhaustGlow glow;
    EXPECT_EQ(glow.layers, 5);
    EXPECT_EQ(glow.flareHalfSize, 100);
    Player player;
    EXPECT_EQ(layersAfterFrames(glow, player, 1, 1.0f), 4);  // frame 0 still sees throttle 0
    EXPECT_EQ(layersAfterFrames(glow, player, 3, 1.0f), 5);  // frame 3
    EXPECT_EQ(layersAfterFrames(glow, player, 3, 1.0f), 6);  // frame 6
    EXPECT_EQ(layersAfterFrames(glow, player, 30, 1.0f), 6);
}

TEST(ExhaustGlowSchedule, ReleasingUpBringsItDownToOneInFiveUpdates) {
    ExhaustGlow glow;
    glow.layers = 6;
    Player player;
    for (int update = 1; update <= 5; ++update) {
        glow.update(player);
        EXPECT_EQ(glow.layers, 6 - update);
    }
    glow.update(player);
    EXPECT_EQ(glow.layers, 1);
    player.throttle = -1.0f;  // braking or reversing is not accelerating
    glow.update(player);
    EXPECT_EQ(glow.layers, 1);
}
