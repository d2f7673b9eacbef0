#include <gtest/gtest.h>

#include <cmath>

#include "race/camera.h"

namespace {

const Vector3 CRAFT(1000.0, 40.0, -2000.0);

void expectNear(const Vector3& actual, const Vector3& expected, double tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

TEST(ChaseCamera, PresetZeroSitsBehindAndAboveLookingAtAPointOverTheCraft) {
    const CameraView view = computeCameraView(CRAFT, 0.0f, 0, 0);
    EXPECT_EQ(view.eye, Vector3(600.0, 140.0, -2000.0));
    EXPECT_EQ(view.target, Vector3(1000.0, 80.0, -2000.0));
    EXPECT_EQ(view.up, Vector3(0.0, 1.0, 0.0));
}

TEST(ChaseCamera, UnequalOffsetsSwingTheEyeAheadWhenHeadingAlongZ) {
    EXPECT_EQ(computeCameraView(CRAFT, 0.0f, 1, 0).eye, Vector3(200.0, 240.0, -2000.0));
    // Heading +z, the negative backZ puts the eye 600 ahead of the craft.
    const CameraView turned = computeCameraView(CRAFT, 1.5707963f, 1, 0);
    expectNear(turned.eye, Vector3(1000.0, 240.0, -1400.0), 1e-3);
}

TEST(ChaseCamera, LowAndHighPresets) {
    const CameraView low = computeCameraView(CRAFT, 0.0f, 3, 0);
    EXPECT_EQ(low.eye, Vector3(0.0, 42.0, -2000.0));
    EXPECT_EQ(low.target.y, 80.0);  // looks up at the point over the craft
    const CameraView high = computeCameraView(CRAFT, 0.0f, 6, 0);
    EXPECT_EQ(high.eye, Vector3(900.0, 90040.0, -2000.0));
    EXPECT_LT(high.eye.y, 1900000.0);  // inside the far plane
}

TEST(ChaseCamera, EqualOffsetsKeepTheEyeAtAFixedDistanceWhateverTheHeading) {
    for (float yaw : {0.3f, 1.9f, -2.5f, 17.0f}) {
        const CameraView view = computeCameraView(CRAFT, yaw, 5, 0);
        const double dx = view.eye.x - CRAFT.x;
        const double dz = view.eye.z - CRAFT.z;
        EXPECT_NEAR(std::sqrt(dx * dx + dz * dz), 100.0, 1e-3) << "yaw " << yaw;
    }
}

TEST(ChaseCamera, AtTheStartTheEyeIsOnThePlusXSideOfTheCraft) {
    const Vector3 start(-60000.0, 40.0, 600000.0);
    const CameraView view = computeCameraView(start, 3.141592f, 0, 0);
    expectNear(view.eye, Vector3(-59600.0, 140.0, 600000.0), 0.01);
}

TEST(ChaseCamera, AllSixCoordinatesAreNarrowedToSinglePrecision) {
    const Vector3 craft(0.1, 40.1, 123456.789);
    const CameraView view = computeCameraView(craft, 0.0f, 0, 0);
    auto narrowed = [](double value) { return static_cast<double>(static_cast<float>(value)); };
    EXPECT_EQ(view.eye.x, narrowed(0.1 - 400.0));
    EXPECT_EQ(view.eye.y, narrowed(100.0 + 40.1));
    EXPECT_EQ(view.eye.z, narrowed(123456.789));
    EXPECT_EQ(view.target.x, narrowed(0.1));
    EXPECT_EQ(view.target.y, narrowed(40.1 + 40.0));
    EXPECT_EQ(view.target.z, narrowed(123456.789));
    EXPECT_NE(view.target.z, 123456.789);
}

TEST(CockpitCamera, LooksAHundredAheadAndSlightlyDownInFullPrecision) {
    const CameraView view = computeCameraView(CRAFT, 0.0f, 4, 1);
    EXPECT_EQ(view.eye, Vector3(1000.0, 50.0, -2000.0));
    EXPECT_EQ(view.target, Vector3(1100.0, 41.0, -2000.0));

    const Vector3 craft(0.1, 40.0, 0.0);
    const CameraView precise = computeCameraView(craft, 0.0f, 0, 1);
    EXPECT_EQ(precise.eye.x, 0.1);
    EXPECT_EQ(precise.target.x, 100.1);
}

}  // namespace
