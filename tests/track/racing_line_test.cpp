#include "track/racing_line.h"

#include <gtest/gtest.h>

#include <cmath>

#include "track/circuit_generator.h"

namespace {

// Which way the centre line bends at parameter t: +1 toward the side the
// racing line's offsets count positive, -1 the other.
double bendSide(const Track& track, double t) {
    const double step = TRACK_PERIOD / RACING_LINE_POINTS;
    double ax = 0.0, az = 0.0, bx = 0.0, bz = 0.0, cx = 0.0, cz = 0.0;
    track.centreXZ(t - step, ax, az);
    track.centreXZ(t, bx, bz);
    track.centreXZ(t + step, cx, cz);
    const double cross = (bx - ax) * (cz - bz) - (bz - az) * (cx - bx);
    return cross > 0.0 ? 1.0 : -1.0;
}

// One over the radius through the centre line at three neighbouring points.
double centreCurvature(const Track& track, double t) {
    const double step = 2.0 * TRACK_PERIOD / RACING_LINE_POINTS;
    double ax = 0.0, az = 0.0, bx = 0.0, bz = 0.0, cx = 0.0, cz = 0.0;
    track.centreXZ(t - step, ax, az);
    track.centreXZ(t, bx, bz);
    track.centreXZ(t + step, cx, cz);
    const double twiceArea = std::fabs((bx - ax) * (cz - az) - (bz - az) * (cx - ax));
    return 2.0 * twiceArea /
           (std::hypot(bx - ax, bz - az) * std::hypot(cx - bx, cz - bz) *
            std::hypot(ax - cx, az - cz));
}

// The line keeps to the road, takes the tightest bend from its inside, and
// so is shorter round the lap than the centre line.
TEST(RacingLine, KeepsToTheRoadAndCutsTheTightestBendFromItsInside) {
    for (const uint32_t circuit : {CLASSIC_CIRCUIT, 7u, 48213u, 4294967295u}) {
        SCOPED_TRACE(circuitName(circuit));
        const Track track = growCircuit(circuit).track;
        const std::vector<RacingLinePoint> line = racingLine(track);
        ASSERT_EQ(line.size(), static_cast<size_t>(RACING_LINE_POINTS));
        const double limit = RACING_LINE_ROAD_SHARE * track.halfWidth;
        int tightest = 0;
        double tightestCurvature = 0.0;
        double lineLap = 0.0;
        double centreLap = 0.0;
        for (int i = 0; i < RACING_LINE_POINTS; ++i) {
            ASSERT_LE(std::fabs(line[i].offset), limit + 1e-9) << "point " << i;
            ASSERT_TRUE(std::isfinite(line[i].x) && std::isfinite(line[i].z)) << "point " << i;
            EXPECT_GT(line[i].length, 0.0) << "point " << i;
            lineLap += line[i].length;
            double x = 0.0, z = 0.0, nextX = 0.0, nextZ = 0.0;
            track.centreXZ(line[i].t, x, z);
            track.centreXZ(line[(i + 1) % RACING_LINE_POINTS].t, nextX, nextZ);
            centreLap += std::hypot(nextX - x, nextZ - z);
            const double curvature = centreCurvature(track, line[i].t);
            if (curvature > tightestCurvature) {
                tightestCurvature = curvature;
                tightest = i;
            }
        }
        const RacingLinePoint& apex = line[tightest];
        EXPECT_GT(apex.offset * bendSide(track, apex.t), 0.5 * limit)
            << "offset " << apex.offset << " at the tightest bend";
        EXPECT_LT(lineLap, centreLap);
    }
}

TEST(RacingLine, AParameterFindsTheNearestPointRoundTheLap) {
    const std::vector<RacingLinePoint> line = racingLine(Track());
    const double step = TRACK_PERIOD / RACING_LINE_POINTS;
    const struct {
        double t;
        int index;
    } cases[] = {
        {0.0, 0},
        {0.4 * step, 0},
        {0.6 * step, 1},
        {10.0 * step, 10},
        {TRACK_PERIOD - 0.4 * step, 0},
        {TRACK_PERIOD, 0},
        {TRACK_PERIOD + 3.0 * step, 3},
        {-step, RACING_LINE_POINTS - 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(racingLineIndexAt(line, c.t), c.index) << "t " << c.t;
    }
}

}  // namespace
