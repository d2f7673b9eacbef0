#include "race/wrong_way.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "craft/player.h"
#include "race/race.h"
#include "support/harness/race_start.h"
#include "track/circuit_generator.h"
#include "track/track.h"

namespace {

// A craft's lambda tick by tick: `ticks` ticks moving `step` a tick from where
// the last run ended.
struct Run {
    int ticks;
    double step;
};

struct Story {
    const char* name;
    double from;
    std::vector<Run> runs;
    int firstTold;  // the tick WRONG WAY first shows; -1: never
    int lastTold;   // the last tick it shows; -1: to the end
};

// The progress grid's step, and a craft at full speed covering it in a tick
// or two.
constexpr double GRID = 0.005;

std::vector<double> lambdasOf(const Story& story) {
    std::vector<double> lambdas;
    double lambda = story.from;
    for (const Run& run : story.runs) {
        for (int i = 0; i < run.ticks; ++i) {
            lambda = std::fmod(lambda + run.step + TRACK_PERIOD, TRACK_PERIOD);
            // The nearest sample of the grid, which stops short of a whole lap.
            const double sample = std::round(lambda / GRID) * GRID;
            lambdas.push_back(sample < TRACK_PERIOD ? sample : 0.0);
        }
    }
    return lambdas;
}

TEST(WrongWay, IsToldAfterASecondGoingBackwardsAndUntilTheCraftMovesForwards) {
    const std::vector<Story> stories = {
        {"standing on the grid", 0.0, {{600, 0.0}}, -1, -1},
        {"racing on over the line", 6.2, {{600, GRID / 2}}, -1, -1},
        {"a bump back by one step, then stopped", 1.0, {{1, -GRID}, {600, 0.0}}, -1, -1},
        {"reversing slowly off the grid", 0.0, {{600, -GRID / 2000}}, -1, -1},
        {"backwards at speed", 2.0, {{300, -GRID / 2}}, 59, -1},
        {"backwards over the line", 0.02, {{300, -GRID / 2}}, 59, -1},
        {"backwards a while, then stopped", 3.0, {{100, -GRID / 2}, {300, 0.0}}, 59, -1},
        {"backwards, then turned round", 3.0, {{100, -GRID / 2}, {100, GRID / 2}}, 59, 100},
        {"backwards only half a second", 3.0, {{30, -GRID / 2}, {300, GRID / 2}}, -1, -1},
        {"backwards slowly, one step in 100 ticks", 4.0, {{400, -GRID / 100}}, 150, -1},
    };
    for (const Story& story : stories) {
        WrongWayWatch watch;
        watch.reset();
        watch.update(story.from);
        int first = -1;
        int last = -1;
        const std::vector<double> lambdas = lambdasOf(story);
        for (size_t tick = 0; tick < lambdas.size(); ++tick) {
            watch.update(lambdas[tick]);
            if (watch.wrongWay()) {
                first = first < 0 ? static_cast<int>(tick) : first;
                last = static_cast<int>(tick);
            }
        }
        const int end = static_cast<int>(lambdas.size()) - 1;
        EXPECT_NEAR(first, story.firstTold, story.firstTold < 0 ? 0 : 2) << story.name;
        const int expectedLast = story.lastTold < 0 && first >= 0 ? end : story.lastTold;
        EXPECT_NEAR(last, expectedLast, story.lastTold < 0 ? 0 : 2) << story.name;
    }
}

TEST(WrongWay, ACraftPutDownElsewhereStartsAfresh) {
    WrongWayWatch watch;
    watch.update(0.0);
    // Put down just before the line, as the final stretch starts a race.
    watch.update(6.272);
    for (int tick = 0; tick < 300; ++tick) {
        watch.update(6.272);
    }
    EXPECT_FALSE(watch.wrongWay());
    for (int tick = 0; tick < 100; ++tick) {
        watch.update(6.272 - GRID * (tick / 2));
    }
    ASSERT_TRUE(watch.wrongWay());
    watch.reset();
    EXPECT_FALSE(watch.wrongWay());
}

TEST(WrongWay, ARaceTurnedRoundIsToldSoAndNotOnceTurnedBack) {
    for (uint32_t circuit : {CLASSIC_CIRCUIT, 48213u}) {
        SCOPED_TRACE(circuitName(circuit));
        raceOnCircuit(circuit);
        testsupport::startRaceWithoutGraphics();
        int told = 0;
        for (int tick = 0; tick < 1200; ++tick) {
            stepRace(testsupport::steerTowards(0.03));
            told += gWrongWay.wrongWay() ? 1 : 0;
        }
        EXPECT_EQ(told, 0) << "racing the right way";
        // Aiming behind turns the craft round; it then races back over the line.
        const int32_t lapsBefore = gPlayer.laps;
        for (int tick = 0; tick < 3000 && told == 0; ++tick) {
            stepRace(testsupport::steerTowards(-0.03));
            told += gWrongWay.wrongWay() ? 1 : 0;
        }
        EXPECT_GT(told, 0) << "racing backwards";
        for (int tick = 0; tick < 3000 && gWrongWay.wrongWay(); ++tick) {
            stepRace(testsupport::steerTowards(0.03));
        }
        EXPECT_FALSE(gWrongWay.wrongWay()) << "turned back";
        EXPECT_LE(gPlayer.laps, lapsBefore);
    }
    raceOnCircuit(CLASSIC_CIRCUIT);
}

}  // namespace
