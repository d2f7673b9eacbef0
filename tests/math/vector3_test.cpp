#include <gtest/gtest.h>

#include <cmath>

#include "math/vector3.h"

namespace {

TEST(Vector3, NormalizeScalesToUnitLengthAndLeavesZeroAlone) {
    Vector3 zero;
    zero.normalize();
    EXPECT_EQ(zero, Vector3(0, 0, 0));

    Vector3 v(3, 0, 4);
    v.normalize();
    EXPECT_DOUBLE_EQ(v.x, 0.6);
    EXPECT_DOUBLE_EQ(v.y, 0.0);
    EXPECT_DOUBLE_EQ(v.z, 0.8);
}

TEST(Vector3, DistanceToLineMeasuresToTheInfiniteLine) {
    const Vector3 a(-1, 0, 0);
    const Vector3 b(1, 0, 0);
    EXPECT_FLOAT_EQ(Vector3(0, 5, 0).distanceToLine(a, b), 5.0f);
    // Beyond the end of the segment the line's extension is used.
    EXPECT_FLOAT_EQ(Vector3(10, 5, 0).distanceToLine(a, b), 5.0f);
}

TEST(Vector3, DistanceToLineIsRoundedToSinglePrecision) {
    const double d = Vector3(0, 0.1, 0).distanceToLine(Vector3(-1, 0, 0), Vector3(1, 0, 0));
    EXPECT_EQ(d, 0.100000001490116119384765625);
    EXPECT_NE(d, 0.1);
}

TEST(Vector3, DistancesAndBoxes) {
    EXPECT_DOUBLE_EQ(Vector3(0, 100, 0).flatManhattanDistanceTo(Vector3(3, -50, 4)), 7.0);
    EXPECT_DOUBLE_EQ(Vector3(0, 100, 0).manhattanDistanceTo(Vector3(3, -50, 4)), 157.0);
    EXPECT_DOUBLE_EQ(Vector3(1, 2, 2).distanceTo(Vector3(0, 0, 0)), 3.0);
    EXPECT_DOUBLE_EQ(Vector3(1, 2, 2).lengthSquared(), 9.0);
    // Box bounds are inclusive on every side.
    EXPECT_TRUE(Vector3(1, 1, 1).isInsideBox(Vector3(1, 0, 0), Vector3(2, 1, 1)));
    EXPECT_FALSE(Vector3(1, 1.5, 1).isInsideBox(Vector3(1, 0, 0), Vector3(2, 1, 1)));
}

TEST(Vector3, RotationsTurnInTheirOwnSenses) {
    Vector3 x(1, 0, 0);
    x.rotateY(M_PI / 2);
    EXPECT_NEAR(x.x, 0.0, 1e-12);
    EXPECT_NEAR(x.z, 1.0, 1e-12);

    Vector3 z(1, 0, 0);
    z.rotateZ(M_PI / 2);
    EXPECT_NEAR(z.x, 0.0, 1e-12);
    EXPECT_NEAR(z.y, -1.0, 1e-12);

    Vector3 y(0, 1, 0);
    y.rotateX(M_PI / 2);
    EXPECT_NEAR(y.y, 0.0, 1e-12);
    EXPECT_NEAR(y.z, -1.0, 1e-12);

    // The precomputed form takes sine first, then cosine.
    Vector3 p(1, 0, 0);
    p.rotateY(1.0f, 0.0f);
    EXPECT_DOUBLE_EQ(p.x, 0.0);
    EXPECT_DOUBLE_EQ(p.z, 1.0);
}

TEST(Vector3, RotateXByNinetyRadiansTurnsAnUpNormalOverAndBack) {
    // The craft's normals are turned by 90 radians, not degrees.
    Vector3 up(0, 1, 0);
    up.rotateX(90.0);
    EXPECT_NEAR(up.y, -0.448074, 1e-6);
    EXPECT_NEAR(up.z, -0.893997, 1e-6);
}

TEST(Vector3, ArithmeticAndExactEquality) {
    const Vector3 u(1, 2, 3);
    const Vector3 v(4, 5, 6);
    EXPECT_EQ(u + v, Vector3(5, 7, 9));
    EXPECT_EQ(v - u, Vector3(3, 3, 3));
    EXPECT_EQ(u * 2.0, Vector3(2, 4, 6));
    EXPECT_EQ(v / 2.0, Vector3(2, 2.5, 3));
    EXPECT_EQ(u.cross(v), Vector3(-3, 6, -3));
    EXPECT_NE(Vector3(0.1 + 0.2, 0, 0), Vector3(0.3, 0, 0));

    Vector3 w;
    EXPECT_EQ(w.setLinearCombination(u, 2.0, v, -1.0), Vector3(-2, -1, 0));
    EXPECT_EQ(w, Vector3(-2, -1, 0));
    w.negate();
    EXPECT_EQ(w, Vector3(2, 1, 0));
}

}  // namespace
