#include <gtest/gtest.h>

#include <cmath>

#include "craft/player.h"
#include "race/lap_clock.h"
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
        updatePlayerProgress(gPlayer);
    }

    Vector3 centreAt(double t, double y) const {
        return Vector3(gTrack.centreX(t), y, gTrack.centreZ(t));
    }

    Vector3 start_;
};

TEST_F(TrackProgress, CraftOnTheStartPointIsAtParameterZeroAFewUnitsOffTheChord) {
    const double returned = updatePlayerProgress(gPlayer);
    EXPECT_EQ(gPlayer.lambda, 0.0);
    EXPECT_EQ(returned, 0.0);
    // The chord through t = -0.005 and 0.005 misses the curve by about 3.75.
    EXPECT_NEAR(gPlayer.dist, 3.75, 0.01);
    EXPECT_NEAR(gPlayer.next_dist, 3.75, 0.01);
    EXPECT_EQ(gTrack.nearestParameter(start_), 0.0);
    EXPECT_EQ(gTrack.isNearWall(gPlayer.dist), 0);
    EXPECT_EQ(gTrack.isAtWall(gPlayer.dist), 0);
}

TEST_F(TrackProgress, SidewaysOffsetsCrossTheNearAndAtWallThresholds) {
    progressAt(start_ + Vector3(0.0, 0.0, 500.0), 3.141592f);
    EXPECT_NEAR(gPlayer.dist, 503.75, 0.01);
    EXPECT_EQ(gTrack.isNearWall(gPlayer.dist), 1);
    EXPECT_EQ(gTrack.isAtWall(gPlayer.dist), 0);

    progressAt(start_ + Vector3(0.0, 0.0, -575.0), 3.141592f);
    EXPECT_EQ(gPlayer.lambda, 0.0);
    EXPECT_NEAR(gPlayer.dist, 571.25, 0.01);
    EXPECT_EQ(gTrack.isNearWall(gPlayer.dist), 1);
    EXPECT_EQ(gTrack.isAtWall(gPlayer.dist), 1);
}

TEST_F(TrackProgress, WallTestsCompareStrictlyWithTheStoredDistance) {
    gPlayer.dist = 570.0;
    EXPECT_EQ(gTrack.isAtWall(gPlayer.dist), 0);
    gPlayer.dist = std::nextafter(570.0, 1000.0);
    EXPECT_EQ(gTrack.isAtWall(gPlayer.dist), 1);
    gPlayer.dist = 480.0;
    EXPECT_EQ(gTrack.isNearWall(gPlayer.dist), 0);
    gPlayer.dist = std::nextafter(480.0, 1000.0);
    EXPECT_EQ(gTrack.isNearWall(gPlayer.dist), 1);
    EXPECT_EQ(gTrack.isAtWall(gPlayer.dist), 0);
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

namespace {

// A craft flown along the centre line at a steady world speed, frame by frame,
// with the lap clock watching as the HUD does. Time runs at 60 frames a second.
class StartLine : public TrackProgress {
protected:
    void SetUp() override {
        TrackProgress::SetUp();
        clock_ = LapClock();
        updatePlayerProgress(gPlayer);
    }

    // One frame: the craft moves to t, the track finds it, the clock looks.
    void frameAt(double t) {
        gPlayer.position = centreAt(t, 40.0);
        updatePlayerProgress(gPlayer);
        ms_ += 16;
        if (clock_.registerLap(ms_, gPlayer.laps)) {
            ++lapsRegistered_;
        }
    }

    // Flies from parameter t over distance units at speed units a frame
    // (negative: backwards); returns where it ends.
    double fly(double t, double distance, double speed) {
        const double sign = speed < 0.0 ? -1.0 : 1.0;
        for (double flown = 0.0; flown < distance; flown += std::fabs(speed)) {
            const double h = 1e-6;
            const double dx = gTrack.centreX(t + h) - gTrack.centreX(t);
            const double dz = gTrack.centreZ(t + h) - gTrack.centreZ(t);
            t += sign * std::fabs(speed) * h / std::hypot(dx, dz);
            frameAt(t);
        }
        return t;
    }

    LapClock clock_;
    uint32_t ms_ = 0;
    int lapsRegistered_ = 0;
};

constexpr double LAP_LENGTH = 1698590.0;

TEST_F(StartLine, ACraftIdleOnTheLineForAMinuteRegistersNoLap) {
    for (int frame = 0; frame < 60 * 60; ++frame) {
        frameAt(0.0);
    }
    EXPECT_EQ(gPlayer.laps, 0);
    EXPECT_EQ(lapsRegistered_, 0);
    // Hovering to and fro across the line changes nothing either.
    for (int swing = 0; swing < 100; ++swing) {
        frameAt(swing % 2 == 0 ? -0.002 : 0.002);
    }
    EXPECT_EQ(lapsRegistered_, 0);
    EXPECT_LE(gPlayer.laps, 0);
}

TEST_F(StartLine, ReversingOverTheLineAndForwardAgainRegistersNothingUntilAWholeLap) {
    ms_ = 20000;  // well past the ten seconds, so only the crossings decide
    double t = fly(0.0, 3000.0, -300.0);
    EXPECT_EQ(gPlayer.laps, -1) << "backed over the line";
    EXPECT_GT(gPlayer.lambda, 6.0);
    t = fly(t, 6000.0, 300.0);
    EXPECT_EQ(gPlayer.laps, 0) << "forward over it again: back where it started";
    EXPECT_EQ(lapsRegistered_, 0);
    // Now a whole lap at racing speed, crossing the line forwards at the end.
    fly(t, LAP_LENGTH, 900.0);
    EXPECT_EQ(gPlayer.laps, 1);
    EXPECT_EQ(lapsRegistered_, 1);
    EXPECT_GT(clock_.lapMs[0], 20000u);
}

TEST_F(StartLine, EachFullLapAtRacingSpeedRegistersExactlyOne) {
    double t = fly(0.0, LAP_LENGTH * 0.5, 900.0);
    EXPECT_EQ(lapsRegistered_, 0) << "half a lap is no lap";
    t = fly(t, LAP_LENGTH * 0.6, 900.0);
    EXPECT_EQ(gPlayer.laps, 1);
    EXPECT_EQ(lapsRegistered_, 1);
    const uint32_t firstLap = clock_.lapMs[0];
    // About 1900 frames of 16 ms for a lap at 900 units a frame.
    EXPECT_NEAR(firstLap, 1887 * 16, 200 * 16);
    fly(t, LAP_LENGTH, 900.0);
    EXPECT_EQ(gPlayer.laps, 2);
    EXPECT_EQ(lapsRegistered_, 2);
    EXPECT_NEAR(clock_.lapMs[1], firstLap, 100 * 16);
}

}  // namespace
