#pragma once

#include <gtest/gtest.h>

#include "craft/opponent.h"
#include "craft/player.h"
#include "craft/player_control.h"
#include "craft/projectile.h"
#include "input/key_state.h"

// The control step on the keys held through the key state, as the game's
// frame reads them; returns what it asked the sound to play.
inline RaceSounds stepKeyboard() {
    RaceSounds sounds;
    stepKeyboard(readKeyboard(), sounds);
    return sounds;
}

namespace racetest {

// The player on the start line with no keys down, a fresh shot, and every
// opponent parked far off the track so nothing touches unless a test says so.
class RaceTest : public testing::Test {
protected:
    void SetUp() override {
        releaseAllKeys();
        placePlayerOnStartLine(gPlayer);
        gProjectile = Projectile();
        for (int i = 0; i < OPPONENT_COUNT; ++i) {
            Opponent& opponent = gOpponents[i];
            opponent.position = Vector3(1.0e7 + i * 1000.0, 40.0, 1.0e7);
            opponent.lambda = 0.0;
            opponent.speed = 0.001f;
            opponent.destroyed = 0;
            opponent.laps = 0;
            opponent.lane = 0;
            opponent.wobbleX = 0;
            opponent.wobbleZ = 0;
        }
    }
    void TearDown() override { releaseAllKeys(); }

    static void hold(int key) { recordKeyDown(key); }
    static void release(int key) { recordKeyUp(key); }
};

}  // namespace racetest
