#include <gtest/gtest.h>

#include <cmath>

#include "race/player.h"
#include "track/track.h"

namespace {

class TrackProgress : public testing::Test {
protected:
    void SetUp() override {
        placePlayerOnStartLine(gPlayer);
        start_ = gPlayer.position;
    }

    // Runs the search for a craft at p heading along yaw.
    void progressAt(const Vector3& p, float yaw) {
        gPlayer.position = p;
        gPlayer.yaw = yaw;
        gTrack.updatePlayerProgress();
    }

    Vector3 centreAt(double t, double y) const {
        return Vector3(gTrack.centreX(t), y, gTrack.centreZ(t));
    }

    Vector3 start_;
};

TEST_F(TrackProgress, CraftOnTheStartPointIsAtParameterZeroAFewUnitsOffTheChord) {
    const double returned = gTrack.updatePlayerProgress();
    EXPECT_EQ(gPlayer.lambda, 0.0);
    EXPECT_EQ(returned, 0.0);
    // The chord through t = -0.005 and 0.005 misses the curve by about 3.75.
    EXPECT_NEAR(gPlayer.dist, 3.75, 0.01);
    EXPECT_NEAR(gPlayer.next_dist, 3.75, 0.01);
    EXPECT_EQ(gTrack.nearestParameter(start_), 0.0);
    EXPECT_EQ(gTrack.isNearWall(), 0);
    EXPECT_EQ(gTrack.isAtWall(), 0);
}

TEST_F(TrackProgress, SidewaysOffsetsCrossTheNearAndAtWallThresholds) {
    progressAt(start_ + Vector3(0.0, 0.0, 500.0), 3.141592f);
    EXPECT_NEAR(gPlayer.dist, 503.75, 0.01);
    EXPECT_EQ(gTrack.isNearWall(), 1);
    EXPECT_EQ(gTrack.isAtWall(), 0);

    progressAt(start_ + Vector3(0.0, 0.0, -575.0), 3.141592f);
    EXPECT_EQ(gPlayer.lambda, 0.0);
    EXPECT_NEAR(gPlayer.dist, 571.25, 0.01);
    EXPECT_EQ(gTrack.isNearWall(), 1);
    EXPECT_EQ(gTrack.isAtWall(), 1);
}

TEST_F(TrackProgress, WallTestsCompareStrictlyWithTheStoredDistance) {
    gPlayer.dist = 570.0;
    EXPECT_EQ(gTrack.isAtWall(), 0);
    gPlayer.dist = std::nextafter(570.0, 1000.0);
    EXPECT_EQ(gTrack.isAtWall(), 1);
    gPlayer.dist = 480.0;
    EXPECT_EQ(gTrack.isNearWall(), 0);
    gPlayer.dist = std::nextafter(480.0, 1000.0);
    EXPECT_EQ(gTrack.isNearWall(), 1);
    EXPECT_EQ(gTrack.isAtWall(), 0);
}

TEST_F(TrackProgress, NextDistanceGrowsWhenHeadingOutwardAndShrinksHeadingBack) {
    // 540 units to the left of travel (+z); outward is +z, yaw pi/2.
    const Vector3 nearLeftWall = start_ + Vector3(0.0, 0.0, 540.0);
    progressAt(nearLeftWall, 1.570796f);
    EXPECT_GT(gPlayer.next_dist, gPlayer.dist);
    EXPECT_NEAR(gPlayer.next_dist - gPlayer.dist, 80.0, 1.0);
    progressAt(nearLeftWall, -1.570796f);
    EXPECT_LT(gPlayer.next_dist, gPlayer.dist);
}

TEST_F(TrackProgress, TheLastOfTheLapSamplesIsTheRepeatedSumNearSixPointTwoEight) {
    // 1256 additions of 0.005: not quite 6.28, and the next one is past the lap.
    double last = 0.0;
    int samples = 0;
    for (double t = 0.0; t < TRACK_PERIOD; t += PROGRESS_STEP) {
        last = t;
        ++samples;
    }
    ASSERT_EQ(samples, 1257);
    progressAt(centreAt(last, 40.0), 3.141592f);
    EXPECT_EQ(gPlayer.lambda, last);
    EXPECT_NEAR(gPlayer.lambda, 6.28, 1e-9);

    // Mid-lap samples are found exactly, on the same summed grid.
    double t = 0.0;
    for (int i = 0; i < 1257; ++i) {
        if (i == 313 || i == 628 || i == 1000) {
            progressAt(centreAt(t, 40.0), 0.0f);
            EXPECT_EQ(gPlayer.lambda, t) << "sample " << i;
            EXPECT_LT(gPlayer.dist, 50.0) << "sample " << i;
        }
        t += PROGRESS_STEP;
    }
}

TEST_F(TrackProgress, ParameterIsExactlyZeroOnlyOnAStretchAroundTheStart) {
    const double h = gTrack.heading(0.0);
    const Vector3 forward(std::sin(h), 0.0, std::cos(h));
    progressAt(start_ + forward * -140.0, 3.141592f);
    EXPECT_EQ(gPlayer.lambda, 0.0);
    progressAt(start_ + forward * 180.0, 3.141592f);
    EXPECT_EQ(gPlayer.lambda, 0.0);
    // Behind the stretch the seam's last sample, 6.28, is nearer.
    progressAt(start_ + forward * -160.0, 3.141592f);
    EXPECT_NEAR(gPlayer.lambda, 6.28, 1e-9);
    progressAt(start_ + forward * 190.0, 3.141592f);
    EXPECT_NEAR(gPlayer.lambda, 0.005, 1e-12);
}

TEST_F(TrackProgress, AFarAwayPositionLeavesBothSearchesAtZero) {
    const Vector3 far(5000000.0, 40.0, 5000000.0);
    progressAt(far, 0.0f);
    EXPECT_EQ(gPlayer.lambda, 0.0);
    EXPECT_TRUE(std::isfinite(gPlayer.dist));
    EXPECT_EQ(gTrack.nearestParameter(far), 0.0);
}

TEST_F(TrackProgress, NearestParameterSearchesTheCoarseGridAtFlyingHeight) {
    double t = 0.0;
    int samples = 0;
    double last = 0.0;
    for (; t < TRACK_PERIOD; t += gTrack.sampleStep) {
        if (samples == 100 || samples == 450) {
            EXPECT_EQ(gTrack.nearestParameter(centreAt(t, 40.0)), t) << "sample " << samples;
        }
        last = t;
        ++samples;
    }
    EXPECT_EQ(samples, 604);
    EXPECT_EQ(gTrack.nearestParameter(centreAt(last, 40.0)), last);

    // The opponents' start, a tenth behind the line, ranks at the lap's end.
    const double behindStart = gTrack.nearestParameter(centreAt(-0.1, 40.0));
    EXPECT_GT(behindStart, 6.2);
    EXPECT_EQ(behindStart, last);
    // Between two samples the nearer one wins.
    const double step = gTrack.sampleStep;
    EXPECT_EQ(gTrack.nearestParameter(centreAt(step * 0.25, 40.0)), 0.0);
    EXPECT_EQ(gTrack.nearestParameter(centreAt(step * 0.75, 40.0)), step);
}

}  // namespace
