#include <gtest/gtest.h>

#include <cmath>

#include "craft/opponent.h"
#include "craft/player.h"
#include "craft/projectile.h"
#include "race/race.h"
#include "race/race_pose.h"
#include "race/standings.h"
#include "track/track.h"

namespace {

RacePose poseAt(double x, float yaw, double opponentLambda) {
    RacePose pose;
    pose.playerPosition = Vector3(x, 40.0, -x);
    pose.playerYaw = yaw;
    pose.playerYawRate = yaw / 10.0f;
    for (int i = 0; i < OPPONENT_COUNT; ++i) {
        pose.opponents[i].position = Vector3(x + i, 40.0, x - i);
        pose.opponents[i].lambda = opponentLambda;
    }
    pose.raceStart = 7;
    return pose;
}

TEST(RacePose, BlendsMoveEveryCraftInAStraightLineFromOneTickToTheNext) {
    const RacePose from = poseAt(100.0, 1.0f, 2.0);
    RacePose to = poseAt(300.0, 1.5f, 2.5);
    to.frameCounter = 12;
    to.racePosition = 3;
    to.opponents[2].destroyed = 1;

    const RacePose half = blendRacePoses(from, to, 0.5);
    EXPECT_DOUBLE_EQ(half.playerPosition.x, 200.0);
    EXPECT_DOUBLE_EQ(half.playerPosition.z, -200.0);
    EXPECT_FLOAT_EQ(half.playerYaw, 1.25f);
    EXPECT_DOUBLE_EQ(half.opponents[4].position.x, 204.0);
    EXPECT_DOUBLE_EQ(half.opponents[4].lambda, 2.25);
    // What counts is the later tick's: the wreck, the digit, the spin.
    EXPECT_EQ(half.opponents[2].destroyed, 1);
    EXPECT_EQ(half.racePosition, 3);
    EXPECT_EQ(half.frameCounter, 12);

    EXPECT_DOUBLE_EQ(blendRacePoses(from, to, 0.0).playerPosition.x, 100.0);
    EXPECT_DOUBLE_EQ(blendRacePoses(from, to, 1.0).playerPosition.x, 300.0);
    EXPECT_DOUBLE_EQ(blendRacePoses(from, to, 1.0).opponents[0].lambda, 2.5);
}

TEST(RacePose, AnOpponentCrossingTheLineTurnsOnlyAsFarAsItFlew) {
    const RacePose from = poseAt(0.0, 0.0f, TRACK_PERIOD - 0.002);
    const RacePose to = poseAt(0.0, 0.0f, 0.002);
    const double half = blendRacePoses(from, to, 0.5).opponents[0].lambda;
    EXPECT_NEAR(half, TRACK_PERIOD, 1e-9);
    // Facing between its two ticks' headings, not half a lap round.
    const double before = gTrack.heading(TRACK_PERIOD - 0.002);
    const double after = gTrack.heading(0.002);
    EXPECT_LE(std::fabs(gTrack.heading(half) - (before + after) / 2.0), std::fabs(after - before));
}

TEST(RacePose, NothingIsBlendedAcrossANewGridOrFromAShotThatWasNotFlying) {
    const RacePose from = poseAt(100.0, 1.0f, 2.0);
    RacePose regrid = poseAt(900.0, 0.0f, 0.1);
    regrid.raceStart = from.raceStart + 1;
    EXPECT_DOUBLE_EQ(blendRacePoses(from, regrid, 0.5).playerPosition.x, 900.0);

    RacePose fired = poseAt(300.0, 1.0f, 2.0);
    fired.shotActive = 1;
    fired.shotPosition = Vector3(5000.0, 40.0, 0.0);
    RacePose before = from;
    before.shotPosition = Vector3(-8000.0, 40.0, 0.0);  // where the last shot went out
    EXPECT_DOUBLE_EQ(blendRacePoses(before, fired, 0.5).shotPosition.x, 5000.0);
    before.shotActive = 1;
    before.shotPosition = Vector3(4000.0, 40.0, 0.0);
    EXPECT_DOUBLE_EQ(blendRacePoses(before, fired, 0.5).shotPosition.x, 4500.0);
}

TEST(RacePose, APoseOnTheStageLeavesTheRaceExactlyAsItWas) {
    gPlayer.position = Vector3(1.5, 2.5, 3.5);
    gPlayer.yaw = 0.25f;
    gPlayer.speed = 42.0f;
    gOpponents[1].lambda = 1.125;
    gOpponents[1].speed = 0.003f;
    gProjectile.active = 1;
    gRacePosition = 4;
    gFrameCounter = 17;
    const RacePose live = captureRacePose();
    {
        const PoseOnStage staged(poseAt(700.0, 2.0f, 3.0));
        EXPECT_DOUBLE_EQ(gPlayer.position.x, 700.0);
        EXPECT_DOUBLE_EQ(gOpponents[1].lambda, 3.0);
        EXPECT_EQ(gProjectile.active, 0);
    }
    const RacePose after = captureRacePose();
    EXPECT_DOUBLE_EQ(after.playerPosition.z, 3.5);
    EXPECT_FLOAT_EQ(after.playerYaw, live.playerYaw);
    EXPECT_DOUBLE_EQ(after.opponents[1].lambda, 1.125);
    EXPECT_EQ(after.shotActive, 1);
    EXPECT_EQ(after.racePosition, 4);
    EXPECT_EQ(after.frameCounter, 17);
    EXPECT_FLOAT_EQ(gPlayer.speed, 42.0f);  // never part of the pose, never touched
}

TEST(RacePose, TheHistoryHoldsTheLastTwoTicksAndANewRaceStartsItAfresh) {
    RacePoseHistory history;
    gPlayer.position = Vector3(11.0, 0.0, 0.0);
    EXPECT_TRUE(history.empty());
    EXPECT_DOUBLE_EQ(history.at(0.5).playerPosition.x, 11.0);  // the race as it stands

    history.record(poseAt(100.0, 0.0f, 0.0));
    EXPECT_DOUBLE_EQ(history.at(0.0).playerPosition.x, 100.0);
    history.record(poseAt(200.0, 0.0f, 0.0));
    history.record(poseAt(400.0, 0.0f, 0.0));
    EXPECT_DOUBLE_EQ(history.at(0.0).playerPosition.x, 200.0);
    EXPECT_DOUBLE_EQ(history.at(0.5).playerPosition.x, 300.0);
    EXPECT_DOUBLE_EQ(history.at(1.0).playerPosition.x, 400.0);
    history.clear();
    EXPECT_TRUE(history.empty());
}

}  // namespace
