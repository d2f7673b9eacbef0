#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "track/circuit_generator.h"
#include "track/sample_grid.h"
#include "track/track.h"

namespace {

// Bit for bit, so a NaN or a signed zero differs as a replay would.
bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool samePlace(const TrackPlace& a, const TrackPlace& b) {
    return sameBits(a.lambda, b.lambda) && sameBits(a.dist, b.dist) &&
           sameBits(a.next_dist, b.next_dist);
}

// Every kind of place a craft can be on or off the circuit.
std::vector<Vector3> positionsAround(const Track& track, uint64_t seed) {
    CircuitRandom random(seed);
    std::vector<Vector3> positions;
    const auto centre = [&track](double t, double y) {
        return Vector3(track.centreX(t), y, track.centreZ(t));
    };
    for (int k = 0; k < 500; ++k) {
        positions.push_back(centre(random.between(0.0, TRACK_PERIOD), 40.0));
    }
    // Across the road and far past its walls, at any height a craft might reach.
    for (int k = 0; k < 1500; ++k) {
        const double t = random.between(0.0, TRACK_PERIOD);
        const double h = track.heading(t);
        const double side = random.between(-2000.0, 2000.0);
        const double y = k % 3 == 0 ? random.between(-3000.0, 3000.0) : random.between(0.0, 80.0);
        positions.push_back(centre(t, y) + Vector3(std::cos(h), 0.0, -std::sin(h)) * side);
    }
    for (double far : {1e5, 1e7}) {
        for (int k = 0; k < 100; ++k) {
            const double a = random.between(0.0, 6.283185307179586);
            positions.push_back(
                Vector3(far * std::cos(a), random.between(-100.0, 100.0), far * std::sin(a)));
        }
    }
    // On every sample, and midway between each and the next: the ties.
    double t = 0.0;
    for (; t < TRACK_PERIOD; t += PROGRESS_STEP) {
        double x = 0.0;
        double z = 0.0;
        track.centreXZ(t, x, z);
        double nx = 0.0;
        double nz = 0.0;
        track.centreXZ(t + PROGRESS_STEP, nx, nz);
        positions.push_back(Vector3(x, track.centreY(t), z));
        positions.push_back(Vector3((x + nx) / 2.0, 40.0, (z + nz) / 2.0));
    }
    positions.push_back(Vector3(NAN, 40.0, 0.0));
    positions.push_back(Vector3(0.0, NAN, 0.0));
    positions.push_back(Vector3(INFINITY, 40.0, -INFINITY));
    return positions;
}

TEST(LocateGrid, FindsExactlyThePlaceTheFullScanFindsOnEveryCircuitAnywhere) {
    const std::vector<uint32_t> numbers = {
        CLASSIC_CIRCUIT, 1,          7,          42,         999,        48213,      123456,
        2718281,         31415926,   214748364,  536870911,  1000000007, 1383934363, 1717171717,
        2147483647,      2147483648, 2863311530, 3141592653, 3735928559, 4000000000, 4294967295};
    for (uint32_t number : numbers) {
        const Track track = growCircuit(number).track;
        SCOPED_TRACE(circuitName(number));
        int mismatches = 0;
        for (const Vector3& p : positionsAround(track, number)) {
            const float yaw = static_cast<float>(p.x * 1e-3);
            const TrackPlace byGrid = track.locate(p, yaw);
            const TrackPlace byScan = track.locateByFullScan(p, yaw);
            if (!samePlace(byGrid, byScan) && ++mismatches <= 5) {
                ADD_FAILURE() << "at (" << p.x << ", " << p.y << ", " << p.z << "): lambda "
                              << byGrid.lambda << " against " << byScan.lambda;
            }
        }
        EXPECT_EQ(mismatches, 0);
    }
}

// Small sample sets laid out to make ties and cell edges certain.
struct GridCase {
    std::string name;
    std::vector<Vector3> samples;
    Vector3 position;
    size_t expected;
};

TEST(LocateGrid, PicksTheLowestIndexAmongEquallyNearSamplesAndHonoursTheFarLimit) {
    const std::vector<GridCase> cases = {
        {"two samples the same way off", {{3000, 0, 0}, {-3000, 0, 0}}, {0, 0, 0}, 0},
        {"the later of a tie is not taken",
         {{9000, 0, 0}, {-3000, 0, 0}, {3000, 0, 0}},
         {0, 0, 0},
         1},
        {"a repeated sample", {{500, 0, 500}, {100, 0, 100}, {100, 0, 100}}, {0, 0, 0}, 1},
        {"ties in different cells", {{0, 0, 4096}, {4096, 0, 0}, {0, 0, -4096}}, {0, 0, 0}, 0},
        {"height decides", {{10, 0, 0}, {20, 100, 0}, {0, -5, 0}}, {0, 50, 0}, 0},
        {"a sample above in a far cell", {{8000, 0, 0}, {0, 7000, 0}}, {0, 0, 0}, 1},
        {"nothing nearer than the limit", {{999999, 0, 0}, {-999999, 0, 0}}, {0, 0, 0}, NO_SAMPLE},
        {"one just inside the limit", {{999999, 0, 0}, {0, 0, 999998.5}}, {0, 0, 0}, 1},
        {"far off the grid", {{0, 0, 0}, {100, 0, 0}}, {1e6, 0, 1e6}, NO_SAMPLE},
        {"off the grid but in reach", {{0, 0, 0}, {100, 0, 0}}, {5e5, 0, 0}, 1},
        {"not a number", {{0, 0, 0}, {100, 0, 0}}, {NAN, 0, 0}, NO_SAMPLE},
        {"no samples", {}, {0, 0, 0}, NO_SAMPLE},
    };
    for (const GridCase& c : cases) {
        const SampleGrid grid(c.samples);
        EXPECT_EQ(nearestSampleByFullScan(c.samples, c.position), c.expected) << c.name;
        EXPECT_EQ(grid.nearest(c.position), c.expected) << c.name;
    }
}

}  // namespace
