#include <gtest/gtest.h>

#include <cmath>

#include "craft/opponent.h"
#include "craft/player.h"
#include "craft/projectile.h"
#include "race/race_fixture.h"

namespace {

using Shot = racetest::RaceTest;

TEST_F(Shot, SpaceFiresFromWhereTheCraftEndsItsStep) {
    hold(VK_SPACE);
    hold(VK_UP);
    stepKeyboard();
    EXPECT_EQ(gProjectile.active, 1);
    EXPECT_EQ(gProjectile.life, 100);
    EXPECT_EQ(gProjectile.position, gPlayer.position);
    // Craft speed plus 100, along the start yaw (-x).
    EXPECT_NEAR(gProjectile.velocity.x, -101.7964, 1e-4);
    EXPECT_NEAR(gProjectile.velocity.z, 0.0, 1e-3);
    EXPECT_EQ(gProjectile.velocity.y, 0.0);
}

TEST_F(Shot, FiredWhileReversingItStillFliesForwardAt99Point5) {
    gPlayer.speed = -0.5f;
    gPlayer.yaw = 0.0f;
    gProjectile.launch(gPlayer);
    EXPECT_DOUBLE_EQ(gProjectile.velocity.x, 99.5);
    EXPECT_DOUBLE_EQ(gProjectile.velocity.z, 0.0);
}

TEST_F(Shot, ItFliesNinetyNineStepsAndExpiresOnTheHundredth) {
    gPlayer.yaw = 0.0f;
    gProjectile.launch(gPlayer);
    const Vector3 from = gProjectile.position;
    for (int i = 0; i < 99; ++i) {
        gProjectile.update();
    }
    EXPECT_EQ(gProjectile.active, 1);
    EXPECT_EQ(gProjectile.life, 1);
    EXPECT_DOUBLE_EQ(gProjectile.position.x - from.x, 9900.0);
    gProjectile.update();
    EXPECT_EQ(gProjectile.active, 0);
    EXPECT_EQ(gProjectile.life, 100);
    const Vector3 stopped = gProjectile.position;
    gProjectile.update();
    EXPECT_EQ(gProjectile.position, stopped);
}

TEST_F(Shot, SteeringAfterLaunchLeavesItsPathAlone) {
    hold(VK_SPACE);
    stepKeyboard();
    release(VK_SPACE);
    const Vector3 velocity = gProjectile.velocity;
    hold(VK_LEFT);
    for (int i = 0; i < 10; ++i) {
        gProjectile.update();
        stepKeyboard();
    }
    EXPECT_EQ(gProjectile.velocity, velocity);
}

TEST_F(Shot, AHitDestroysTheOpponentAndHeldSpaceRefiresInTheSameStep) {
    gProjectile.launch(gPlayer);
    gProjectile.position = gPlayer.position + Vector3(-5000.0, 0.0, 0.0);
    gOpponents[3].position = gProjectile.position + Vector3(0.0, 0.0, 119.0);
    hold(VK_SPACE);
    stepKeyboard();
    EXPECT_EQ(gOpponents[3].destroyed, 1);
    // A fresh shot from the craft, not the old one.
    EXPECT_EQ(gProjectile.active, 1);
    EXPECT_EQ(gProjectile.life, 100);
    EXPECT_EQ(gProjectile.position, gPlayer.position);
}

TEST_F(Shot, AHitWithoutSpaceLeavesTheShotUsedUp) {
    gProjectile.launch(gPlayer);
    gProjectile.position = Vector3(0.0, 40.0, 0.0);
    gOpponents[0].position = Vector3(60.0, 40.0, 0.0);
    stepKeyboard();
    EXPECT_EQ(gOpponents[0].destroyed, 1);
    EXPECT_EQ(gProjectile.active, 0);
    EXPECT_EQ(gProjectile.life, 0);
}

TEST_F(Shot, TheFirstOpponentInOrderTakesTheShot) {
    gProjectile.launch(gPlayer);
    gProjectile.position = Vector3(0.0, 40.0, 0.0);
    gOpponents[1].position = Vector3(50.0, 40.0, 0.0);
    gOpponents[2].position = Vector3(-50.0, 40.0, 0.0);
    stepKeyboard();
    EXPECT_EQ(gOpponents[1].destroyed, 1);
    EXPECT_EQ(gOpponents[2].destroyed, 0);
}

TEST_F(Shot, AShotPassingAWreckFliesOnAndHitsTheNextOpponent) {
    gProjectile.launch(gPlayer);
    gProjectile.position = Vector3(0.0, 40.0, 0.0);
    gOpponents[0].position = Vector3(50.0, 40.0, 0.0);
    gOpponents[0].destroyed = 1;
    gOpponents[1].position = Vector3(-50.0, 40.0, 0.0);
    stepKeyboard();
    EXPECT_EQ(gOpponents[1].destroyed, 1);
    EXPECT_EQ(gProjectile.active, 0);

    // Past a wreck alone, the shot flies on untouched.
    gProjectile.launch(gPlayer);
    gProjectile.position = Vector3(0.0, 40.0, 0.0);
    gOpponents[1].position = Vector3(1.0e7, 40.0, 1.0e7);
    stepKeyboard();
    EXPECT_EQ(gProjectile.active, 1);
    EXPECT_EQ(gProjectile.life, 100);
}

TEST_F(Shot, AShotPassingAt120LeavesTheOpponentAlone) {
    gProjectile.launch(gPlayer);  // flying along -x
    gProjectile.position = Vector3(0.0, 40.0, 0.0);
    gOpponents[0].position = Vector3(50.0, 40.0, 120.0);  // beside the stretch it flew
    gOpponents[1].position = Vector3(-120.0, 40.0, 0.0);  // just beyond where it landed
    stepKeyboard();
    EXPECT_EQ(gOpponents[0].destroyed, 0);
    EXPECT_EQ(gOpponents[1].destroyed, 0);
    EXPECT_EQ(gProjectile.active, 1);
}

TEST_F(Shot, AtRacingSpeedItHitsAnOpponentBetweenTwoOfItsPositions) {
    // About 1000 units a frame against a hit distance of 120: the opponent
    // lies between two of the shot's frame positions, never within 120 of one.
    gPlayer.speed = 900.0f;
    gPlayer.yaw = 0.0f;  // along +x
    hold(VK_SPACE);
    stepKeyboard();
    release(VK_SPACE);
    ASSERT_EQ(gProjectile.active, 1);
    const Vector3 launch = gProjectile.position;
    const double step = gProjectile.velocity.x;
    ASSERT_GT(step, 950.0);
    Opponent& target = gOpponents[2];
    target.position = launch + Vector3(3.5 * step, 0.0, 100.0);
    // Beside the craft's own path too, so only the shot can reach it.
    int frames = 0;
    while (gProjectile.active == 1 && frames < 10) {
        gProjectile.update();
        stepKeyboard();
        ++frames;
    }
    EXPECT_EQ(target.destroyed, 1);
    EXPECT_EQ(frames, 4);
    EXPECT_EQ(gProjectile.active, 0);
}

TEST_F(Shot, LaunchedAtAnOpponent3000AheadAtTopSpeedItRemovesIt) {
    gPlayer.speed = 898.0f;
    gPlayer.yaw = 0.0f;
    hold(VK_SPACE);
    stepKeyboard();
    release(VK_SPACE);
    gOpponents[4].position = gProjectile.position + Vector3(3000.0, 0.0, 0.0);
    for (int frame = 0; frame < 10 && gProjectile.active == 1; ++frame) {
        gProjectile.update();
        // The opponent keeps its place; the craft drifts sideways out of reach.
        gPlayer.position.z += 500.0;
        stepKeyboard();
    }
    EXPECT_EQ(gOpponents[4].destroyed, 1);
}

TEST_F(Shot, HeldSpaceRefiresInTheFrameTheShotExpires) {
    hold(VK_SPACE);
    stepKeyboard();
    const Vector3 firstVelocity = gProjectile.velocity;
    int launches = 1;
    // The frame's order: the shot moves, then the control step may fire.
    for (int frame = 1; frame <= 100; ++frame) {
        const int wasActive = gProjectile.active;
        gProjectile.update();
        stepKeyboard();
        if (wasActive == 1 && gProjectile.life == 100) {
            ++launches;
            EXPECT_EQ(frame, 100);
        }
    }
    EXPECT_EQ(launches, 2);
    EXPECT_EQ(gProjectile.active, 1);
    EXPECT_EQ(gProjectile.position, gPlayer.position);
    EXPECT_EQ(gProjectile.velocity, firstVelocity);
}

}  // namespace
