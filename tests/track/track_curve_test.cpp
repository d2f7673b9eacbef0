#include <gtest/gtest.h>

#include <cmath>

#include "track/track.h"

namespace {

TEST(TrackCurve, StartLineLiesAtMinusSixtyThousandAndHeadsAlongMinusX) {
    EXPECT_NEAR(gTrack.centreX(0.0), -60000.0, 1e-6);
    EXPECT_NEAR(gTrack.centreZ(0.0), 600000.0, 1e-6);
    EXPECT_NEAR(gTrack.heading(0.0), -1.5909487, 1e-6);
    // Travel at the start runs towards -x: forward is (sin h, 0, cos h).
    EXPECT_LT(std::sin(gTrack.heading(0.0)), -0.99);
}

TEST(TrackCurve, IsFlatEverywhereIncludingNegativeParameters) {
    for (double t : {-0.005, 0.0, 1.0, 3.141592, 6.283184, 12.0}) {
        EXPECT_EQ(gTrack.centreY(t), 0.0);
    }
}

TEST(TrackCurve, LowestPointIsHalfWayRound) {
    EXPECT_LT(gTrack.centreZ(3.141592), 1e-6);
    EXPECT_GE(gTrack.centreZ(3.141592), 0.0);
}

TEST(TrackCurve, SeamEndsAboutThreeHundredUnitsPastTheStart) {
    EXPECT_NEAR(gTrack.centreX(TRACK_PERIOD) - gTrack.centreX(0.0), -315.16, 0.01);
    EXPECT_LT(std::fabs(gTrack.centreZ(TRACK_PERIOD) - gTrack.centreZ(0.0)), 1e-6);
}

TEST(TrackCurve, QueriesAreEvaluatedWithoutWrapping) {
    // Negative parameters are the plain expressions, not the end of the lap.
    EXPECT_NE(gTrack.centreX(-0.005), gTrack.centreX(TRACK_PERIOD - 0.005));
    // heading(6.28) looks at 6.29, past the period.
    const double dx = gTrack.centreX(6.29) - gTrack.centreX(6.28);
    const double dz = gTrack.centreZ(6.29) - gTrack.centreZ(6.28);
    EXPECT_DOUBLE_EQ(gTrack.heading(6.28), std::atan2(dx, dz));
}

TEST(TrackCurve, ConstantsAndExtent) {
    EXPECT_EQ(gTrack.radius, 300000);
    EXPECT_EQ(gTrack.halfWidth, 600);
    EXPECT_DOUBLE_EQ(gTrack.sampleStep, 0.010402622516556293);
    double minX = 1e9;
    double maxX = -1e9;
    double length = 0.0;
    for (double t = 0.0; t < TRACK_PERIOD; t += 0.0001) {
        minX = std::min(minX, gTrack.centreX(t));
        maxX = std::max(maxX, gTrack.centreX(t));
        length += std::hypot(gTrack.centreX(t + 0.0001) - gTrack.centreX(t),
                             gTrack.centreZ(t + 0.0001) - gTrack.centreZ(t));
    }
    EXPECT_NEAR(minX, -381927.0, 5.0);
    EXPECT_NEAR(maxX, 58953.0, 5.0);
    EXPECT_NEAR(length, 1698590.0, 200.0);
}

}  // namespace
