#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "track/circuit_check.h"
#include "track/circuit_generator.h"
#include "track/circuit_map.h"
#include "track/track.h"

namespace {

// FNV-1a over the bits of every coefficient: a circuit's fingerprint.
uint64_t fingerprint(const CircuitShape& shape) {
    uint64_t hash = 1469598103934665603ULL;
    const auto mix = [&hash](const void* data, size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (size_t i = 0; i < size; ++i) {
            hash = (hash ^ bytes[i]) * 1099511628211ULL;
        }
    };
    mix(&shape.startAngle, sizeof shape.startAngle);
    for (const CircuitTerm& term : shape.terms) {
        mix(&term.frequency, sizeof term.frequency);
        for (double c : {term.xCos, term.xSin, term.zCos, term.zSin}) {
            mix(&c, sizeof c);
        }
    }
    return hash;
}

// The closest approach of two centre-line points far apart round the lap and
// the tightest turn, found the slow way, to check the generator's own measure.
struct SlowFigures {
    double clearance = INFINITY;
    double radius = INFINITY;
};

SlowFigures measureSlowly(const Track& track) {
    constexpr int n = 2048;
    std::vector<double> x(n);
    std::vector<double> z(n);
    for (int i = 0; i < n; ++i) {
        x[i] = track.centreX(TRACK_PERIOD * i / n);
        z[i] = track.centreZ(TRACK_PERIOD * i / n);
    }
    SlowFigures slow;
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            if (std::min(j - i, n - (j - i)) > n / 20) {
                slow.clearance = std::min(slow.clearance, std::hypot(x[i] - x[j], z[i] - z[j]));
            }
        }
        const int a = (i + n - 1) % n;
        const int c = (i + 1) % n;
        const double cross = (x[i] - x[a]) * (z[c] - z[a]) - (z[i] - z[a]) * (x[c] - x[a]);
        slow.radius =
            std::min(slow.radius,
                     std::hypot(x[i] - x[a], z[i] - z[a]) * std::hypot(x[c] - x[i], z[c] - z[i]) *
                         std::hypot(x[c] - x[a], z[c] - z[a]) / (2.0 * std::fabs(cross)));
    }
    return slow;
}

namespace {

// The first thousand numbers and a thousand spread over the rest of the range.
std::vector<uint32_t> numbersChecked() {
    std::vector<uint32_t> numbers;
    for (uint32_t n = 1; n <= 1000; ++n) {
        numbers.push_back(n);
    }
    for (uint64_t n = 4294967295u; numbers.size() < 2000; n -= 4294967u) {
        numbers.push_back(static_cast<uint32_t>(n));
    }
    return numbers;
}

// Each test takes one of this many equal runs of the numbers, so the runs
// share the cores.
constexpr size_t NUMBER_RUNS = 8;

class EveryNumber : public testing::TestWithParam<size_t> {};

TEST_P(EveryNumber, GrowsACircuitThatKeepsTheRulesAndTheSameOneEveryTime) {
    const std::vector<uint32_t> numbers = numbersChecked();
    const size_t first = numbers.size() * GetParam() / NUMBER_RUNS;
    const size_t end = numbers.size() * (GetParam() + 1) / NUMBER_RUNS;
    for (size_t k = first; k < end; ++k) {
        const GrownCircuit grown = growCircuit(numbers[k]);
        const CircuitFigures f = measureCircuit(grown.track);
        SCOPED_TRACE("circuit " + std::to_string(numbers[k]));
        ASSERT_EQ(grown.track.circuitNumber(), numbers[k]);
        ASSERT_GT(grown.track.shape().terms.size(), 1u) << "fell back on the plain oval";
        ASSERT_GE(f.clearance, MIN_CLEARANCE);
        ASSERT_GE(f.tightestRadius, MIN_TURN_RADIUS);
        ASSERT_LT(f.startTurnDegrees, MAX_START_TURN_DEGREES);
        ASSERT_GE(f.lapLength, MIN_LAP_LENGTH);
        ASSERT_LE(f.lapLength, MAX_LAP_LENGTH);
        ASSERT_LE(f.reach, MAX_REACH);
        ASSERT_LT(f.closingGap, 1e-3) << "it must close where it began";
        if (k % 10 == 0) {
            EXPECT_EQ(fingerprint(growCircuit(numbers[k]).track.shape()),
                      fingerprint(grown.track.shape()));
        }
        if (k % 100 == 0) {
            const SlowFigures slow = measureSlowly(grown.track);
            EXPECT_NEAR(f.clearance, std::min(slow.clearance, CLEARANCE_SEARCH), 600.0);
            EXPECT_NEAR(f.tightestRadius, slow.radius, 0.1 * slow.radius);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Circuits, EveryNumber, testing::Range<size_t>(0, NUMBER_RUNS));

}  // namespace

// The same numbers with gcc and clang, optimised or not, on any machine, for
// good: these fingerprints must never change.
TEST(Circuits, ACircuitIsTheSameOnEveryMachineForever) {
    const struct {
        uint32_t number;
        uint64_t fingerprint;
    } pinned[] = {
        {1, 0x69b5abfb6904c693ULL},
        {7, 0x604395f28cfa403aULL},
        {48213, 0x2914454390097c6eULL},
        {4294967295u, 0x324c1108ecc7fe8fULL},
    };
    for (const auto& p : pinned) {
        EXPECT_EQ(fingerprint(growCircuit(p.number).track.shape()), p.fingerprint)
            << "circuit " << p.number << std::hex << " 0x"
            << fingerprint(growCircuit(p.number).track.shape());
    }
}

TEST(Circuits, TheClassicIsCircuitZeroWithItsOwnFigures) {
    const GrownCircuit classic = growCircuit(CLASSIC_CIRCUIT);
    EXPECT_TRUE(classic.track.shape().terms.empty());
    EXPECT_EQ(classic.track.opponentPace, 1.0);
    EXPECT_EQ(classic.track.startYaw(), GAME_PI);
    EXPECT_EQ(circuitName(0), "classic");
    EXPECT_EQ(circuitName(48213), "circuit 48213");
    // It does not quite close, and its tightest places are its own.
    EXPECT_NEAR(classic.figures.closingGap, 315.0, 5.0);
    EXPECT_NEAR(classic.figures.clearance, 16500.0, 300.0);
    EXPECT_NEAR(classic.figures.tightestRadius, 3400.0, 100.0);
    EXPECT_NEAR(classic.figures.lapLength, 1.70e6, 0.01e6);
}

TEST(Circuits, TheMapIsAClosedCentreLineWithBothEdgesAndTheStartLine) {
    const Track track = growCircuit(7).track;
    const std::string svg = circuitMapSvg(track);
    for (const char* id : {"centre-line", "left-edge", "right-edge"}) {
        const size_t at = svg.find(std::string("<polygon id=\"") + id);
        ASSERT_NE(at, std::string::npos) << id;
        const size_t end = svg.find("\"/>", at);
        const std::string points = svg.substr(at, end - at);
        EXPECT_EQ(std::count(points.begin(), points.end(), ','), MAP_POINTS) << id;
    }
    EXPECT_NE(svg.find("<line id=\"start-line\""), std::string::npos);
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
    // The first point is the start of the lap, in world units.
    char first[64];
    std::snprintf(first, sizeof first, "points=\"%.1f,%.1f ", track.centreX(0.0),
                  track.centreZ(0.0));
    EXPECT_NE(svg.find(first), std::string::npos) << first;
}

}  // namespace
