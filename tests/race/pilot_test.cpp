#include "craft/pilot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "craft/player_control.h"
#include "track/circuit_generator.h"
#include "track/track.h"

namespace {

class PilotOnACircuit : public testing::TestWithParam<uint32_t> {
protected:
    void SetUp() override { raceOnCircuit(GetParam()); }
    void TearDown() override { raceOnCircuit(CLASSIC_CIRCUIT); }
};

// The plan never asks for more than the brake can take off before a turn,
// nor more than the craft flies flat out, and it slows for the tightest bend.
TEST_P(PilotOnACircuit, PlansNoSpeedTheBrakeCannotLoseBeforeTheTurn) {
    const Pilot pilot(gTrack);
    const std::vector<double>& speeds = pilot.plannedSpeeds();
    const std::vector<RacingLinePoint>& line = pilot.line();
    const double topSpeed = CRAFT_THRUST * CRAFT_SPEED_DAMPING / (1.0 - CRAFT_SPEED_DAMPING);
    int tightest = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        const size_t next = (i + 1) % line.size();
        ASSERT_GT(speeds[i], 0.0) << "point " << i;
        ASSERT_LE(speeds[i], topSpeed) << "point " << i;
        EXPECT_LE(speeds[i] * speeds[i],
                  speeds[next] * speeds[next] + 2.0 * CRAFT_BRAKE * line[i].length)
            << "point " << i;
        if (line[i].curvature > line[tightest].curvature) {
            tightest = static_cast<int>(i);
        }
    }
    // Held down, the steering turns the craft at most this much a frame.
    const double heldYawRate = CRAFT_TURN_RATE * CRAFT_YAW_DAMPING / (1.0 - CRAFT_YAW_DAMPING);
    EXPECT_LE(speeds[tightest] * line[tightest].curvature, heldYawRate);
    EXPECT_LT(speeds[tightest], *std::max_element(speeds.begin(), speeds.end()));
}

// On the road it steers back toward the line, brakes when too fast for the
// bend ahead and accelerates when slower; it never fires.
TEST_P(PilotOnACircuit, SteersBackToTheLineAndBrakesOnlyWhenTooFast) {
    const Pilot pilot(gTrack);
    const std::vector<double>& speeds = pilot.plannedSpeeds();
    const int slowest =
        static_cast<int>(std::min_element(speeds.begin(), speeds.end()) - speeds.begin());
    const double t = pilot.line()[slowest].t;
    const struct {
        const char* name;
        float yawOff;  // added to the track's own direction, far beyond the line's own bend
        float speed;
        bool left;
        bool right;
        bool up;
        bool down;
    } cases[] = {
        {"turned far the way Left turns", -1.2f, 0.0f, false, true, true, false},
        {"turned far the way Right turns", 1.2f, 0.0f, true, false, true, false},
        {"far too fast for the bend", 0.0f, static_cast<float>(speeds[slowest] + 200.0), false,
         false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Player craft;
        placePlayerOnTrack(craft, t);
        craft.yaw += c.yawOff;
        craft.speed = c.speed;
        const KeyboardInput keys = pilot.keys(craft);
        if (c.left || c.right) {
            EXPECT_EQ(keys.left, c.left);
            EXPECT_EQ(keys.right, c.right);
        }
        EXPECT_EQ(keys.up, c.up);
        EXPECT_EQ(keys.down, c.down);
        EXPECT_FALSE(keys.space);
    }
}

INSTANTIATE_TEST_SUITE_P(Circuits, PilotOnACircuit,
                         testing::Values(CLASSIC_CIRCUIT, 7u, 48213u, 4294967295u));

}  // namespace
