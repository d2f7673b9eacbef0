#include <gtest/gtest.h>

#include <cmath>

#include "craft/opponent.h"
#include "craft/player.h"
#include "craft/player_control.h"
#include "craft/projectile.h"
#include "race/race_fixture.h"
#include "track/track.h"

namespace {

using PlayerControl = racetest::RaceTest;

TEST_F(PlayerControl, TheCraftStartsOnTheLineFacingAlongTheTrack) {
    EXPECT_EQ(gPlayer.position, Vector3(-60000.0, 40.0, 600000.0));
    EXPECT_EQ(gPlayer.yaw, 3.141592f);
    EXPECT_EQ(gPlayer.speed, 0.0f);
    EXPECT_EQ(gPlayer.velocity, Vector3());
    // The craft's forward (cos yaw, sin yaw) against the track's (sin h, cos h).
    const double h = gTrack.heading(0.0);
    EXPECT_NEAR(std::cos(gPlayer.yaw), std::sin(h), 0.001);
    EXPECT_NEAR(std::sin(gPlayer.yaw), std::cos(h), 0.03);
}

TEST_F(PlayerControl, HoldingUpAcceleratesTowardTheFixedPoint) {
    hold(VK_UP);
    stepKeyboard();
    EXPECT_FLOAT_EQ(gPlayer.speed, 1.7964f);
    EXPECT_EQ(gPlayer.throttle, 1.0f);
    for (int i = 0; i < 20000; ++i) {
        stepKeyboard();
    }
    // s = (s + 1.8) * 0.998 settles at 898.2.
    EXPECT_NEAR(gPlayer.speed, 898.2f, 0.05f);
}

TEST_F(PlayerControl, TheCraftMovesAlongItsYawAndKeepsItsHeight) {
    const Vector3 before = gPlayer.position;
    hold(VK_UP);
    stepKeyboard();
    // The start yaw faces -x.
    EXPECT_NEAR(gPlayer.position.x - before.x, -1.7964, 1e-5);
    EXPECT_NEAR(gPlayer.position.z - before.z, 0.0, 1e-5);
    EXPECT_EQ(gPlayer.position.y, 40.0);
    EXPECT_EQ(gPlayer.velocity.y, 0.0);
}

TEST_F(PlayerControl, DownBrakesHardButReversesNoFasterThanHalfAUnit) {
    gPlayer.speed = 100.0f;
    hold(VK_DOWN);
    stepKeyboard();
    EXPECT_FLOAT_EQ(gPlayer.speed, 91.816f);
    EXPECT_EQ(gPlayer.throttle, -1.0f);

    gPlayer.speed = 0.0f;
    for (int i = 0; i < 3; ++i) {
        stepKeyboard();
        EXPECT_EQ(gPlayer.speed, -0.5f);
    }
}

TEST_F(PlayerControl, OpposingKeysCancel) {
    gPlayer.speed = 100.0f;
    hold(VK_UP);
    hold(VK_DOWN);
    hold(VK_LEFT);
    hold(VK_RIGHT);
    stepKeyboard();
    EXPECT_EQ(gPlayer.throttle, 0.0f);
    EXPECT_EQ(gPlayer.steer, 0.0f);
    EXPECT_FLOAT_EQ(gPlayer.speed, 99.8f);
    EXPECT_EQ(gPlayer.yawRate, 0.0f);
}

TEST_F(PlayerControl, SteeringRateSettlesAndDecaysAfterRelease) {
    const float startYaw = gPlayer.yaw;
    hold(VK_RIGHT);
    stepKeyboard();
    EXPECT_FLOAT_EQ(gPlayer.yawRate, 0.0009f);
    EXPECT_FLOAT_EQ(gPlayer.yaw, startYaw + 0.0009f);
    EXPECT_EQ(gPlayer.steer, 1.0f);
    for (int i = 0; i < 200; ++i) {
        stepKeyboard();
    }
    // r = (r + 0.001) * 0.9 settles at 0.009, below the 0.01 cap.
    EXPECT_NEAR(gPlayer.yawRate, 0.009f, 1e-6f);
    EXPECT_GT(gPlayer.yaw, startYaw + 1.0f);

    release(VK_RIGHT);
    const float rate = gPlayer.yawRate;
    stepKeyboard();
    EXPECT_FLOAT_EQ(gPlayer.yawRate, rate * 0.9f);

    // A rate above the cap is clamped to 0.01 before the damping.
    gPlayer.yawRate = -0.5f;
    hold(VK_LEFT);
    stepKeyboard();
    EXPECT_FLOAT_EQ(gPlayer.yawRate, -0.009f);
    EXPECT_EQ(gPlayer.steer, -1.0f);
}

TEST_F(PlayerControl, ATapBetweenTwoStepsStillCounts) {
    recordKeyDown(VK_UP);
    recordKeyUp(VK_UP);
    stepKeyboard();
    EXPECT_FLOAT_EQ(gPlayer.speed, 1.7964f);
    stepKeyboard();
    EXPECT_EQ(gPlayer.throttle, 0.0f);
}

TEST_F(PlayerControl, AnOpponentInContactPushesTheCraftAwayAndSlowsDown) {
    gOpponents[2].position = gPlayer.position + Vector3(100.0, 0.0, 0.0);
    gOpponents[2].speed = 0.002f;
    const Vector3 before = gPlayer.position;
    stepKeyboard();
    EXPECT_NEAR(gPlayer.position.x - before.x, -50.0, 1e-9);
    EXPECT_NEAR(gPlayer.position.z - before.z, 0.0, 1e-9);
    EXPECT_FLOAT_EQ(gOpponents[2].speed, 0.0019f);
}

TEST_F(PlayerControl, PushesFromSeveralOpponentsAddUp) {
    gOpponents[0].position = gPlayer.position + Vector3(100.0, 0.0, 0.0);
    gOpponents[4].position = gPlayer.position + Vector3(0.0, 0.0, -80.0);
    const Vector3 before = gPlayer.position;
    stepKeyboard();
    EXPECT_NEAR(gPlayer.position.x - before.x, -50.0, 1e-9);
    EXPECT_NEAR(gPlayer.position.z - before.z, 40.0, 1e-9);
}

TEST_F(PlayerControl, ContactNeedsALiveOpponentCloserThan120) {
    gOpponents[0].position = gPlayer.position + Vector3(100.0, 0.0, 0.0);
    gOpponents[0].destroyed = 1;
    gOpponents[1].position = gPlayer.position + Vector3(0.0, 0.0, 120.0);
    const Vector3 before = gPlayer.position;
    stepKeyboard();
    EXPECT_EQ(gPlayer.position, before);
    EXPECT_EQ(gOpponents[0].speed, 0.001f);
    EXPECT_EQ(gOpponents[1].speed, 0.001f);
}

TEST_F(PlayerControl, AtTheWallHeadingOutwardTheCraftSlidesTowardTheCentreJustAhead) {
    // 575 units to the right of the start point, pointing straight out.
    gPlayer.position = gPlayer.position + Vector3(0.0, 0.0, -575.0);
    gPlayer.yaw = -1.570796f;
    updatePlayerProgress(gPlayer);
    ASSERT_EQ(gTrack.isAtWall(gPlayer.dist), 1);
    ASSERT_GT(gPlayer.next_dist, gPlayer.dist);
    gPlayer.speed = 500.0f;
    const Vector3 before = gPlayer.position;

    stepKeyboard();

    EXPECT_EQ(gPlayer.speed, 300.0f);
    EXPECT_EQ(gPlayer.yaw, -1.570796f);
    const double p = gPlayer.lambda + gTrack.sampleStep;
    Vector3 aim = Vector3(gTrack.centreX(p), 40.0, gTrack.centreZ(p)) - before;
    aim.normalize();
    const Vector3 moved = gPlayer.position - before;
    EXPECT_NEAR(moved.x, 300.0 * aim.x, 1e-6);
    EXPECT_NEAR(moved.z, 300.0 * aim.z, 1e-6);
    EXPECT_NEAR(moved.length(), 300.0, 1e-6);
    EXPECT_LT(moved.x, 0.0);  // along the track, which runs toward -x here
    EXPECT_GT(moved.z, 0.0);  // and back toward the centre line
}

TEST_F(PlayerControl, AtTheWallHeadingInwardTheCraftOnlyLosesSpeedAbove300) {
    gPlayer.position = gPlayer.position + Vector3(0.0, 0.0, -575.0);
    gPlayer.yaw = 1.570796f;
    updatePlayerProgress(gPlayer);
    ASSERT_EQ(gTrack.isAtWall(gPlayer.dist), 1);
    ASSERT_LE(gPlayer.next_dist, gPlayer.dist);
    gPlayer.speed = 500.0f;
    const Vector3 before = gPlayer.position;
    stepKeyboard();
    EXPECT_EQ(gPlayer.speed, 300.0f);
    // Still the heading's direction, at the speed before the cap.
    EXPECT_NEAR(gPlayer.position.z - before.z, 499.0, 1e-3);
    EXPECT_NEAR(gPlayer.position.x - before.x, 0.0, 1e-3);

    gPlayer.speed = 200.0f;
    stepKeyboard();
    EXPECT_FLOAT_EQ(gPlayer.speed, 199.6f);
}

TEST_F(PlayerControl, NearWallDragTakesFourPercentPerFrameBeyond480) {
    gPlayer.speed = 100.0f;
    gPlayer.dist = 480.0;
    applyNearWallDrag();
    EXPECT_EQ(gPlayer.speed, 100.0f);
    gPlayer.dist = 481.0;
    applyNearWallDrag();
    EXPECT_FLOAT_EQ(gPlayer.speed, 96.0f);
}

}  // namespace
