// A world board's run flown as the ghost of a time trial, and the new bests
// told to whoever listens (the shell sends a time trial's to the board).
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "race/lap_clock.h"
#include "race/race.h"
#include "race/race_result.h"
#include "session/ghost.h"
#include "session/race_recording.h"
#include "support/harness/board_runs.h"
#include "support/harness/race_start.h"
#include "support/records_fixture.h"
#include "track/circuit_generator.h"
#include "track/track.h"

namespace {

uint32_t driveTheTimeTrial(int idleTicks) {
    startRace(RACE_SEED, RaceMode::TimeTrial);
    for (int tick = 0; !raceIsFinished() && tick < 40000; ++tick) {
        stepRecordedRace(tick < idleTicks ? KeyboardInput()
                                          : testsupport::followTheCentreLine(tick - idleTicks));
    }
    EXPECT_TRUE(raceIsFinished());
    return gLapClock.raceMs();
}

TEST(WorldGhost, AChosenRunFliesInItsCircuitsTimeTrialsUntilAnotherRaceIsChosen) {
    recordstest::TempDataHome home;
    testsupport::startRaceWithoutGraphics();
    keepReplays(true);
    const Replay world = testsupport::pilotVariant(7, 3);
    Replay tampered = world;
    tampered.finalStateHash ^= 1;
    flyThisRunAsTheGhost(world);
    const struct {
        const char* what;
        uint32_t circuit;
        RaceMode mode;
        bool flies;
    } cases[] = {
        {"its circuit's time trial", 7, RaceMode::TimeTrial, true},
        {"a race of its circuit", 7, RaceMode::Race, false},
        {"another circuit's time trial", 8, RaceMode::TimeTrial, false},
        {"its circuit's time trial again", 7, RaceMode::TimeTrial, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        raceOnCircuit(c.circuit);
        prepareGhost(c.mode);
        EXPECT_EQ(hasGhost(), c.flies);
        EXPECT_TRUE(aChosenRunFlies());
    }
    startRace(RACE_SEED, RaceMode::TimeTrial);
    EXPECT_TRUE(ghostPoseNow(1.0)) << "on the grid with the live craft";

    flyThisRunAsTheGhost(tampered);
    recordstest::StderrCapture said;
    prepareGhost(RaceMode::TimeTrial);
    EXPECT_FALSE(hasGhost()) << "a run that does not run the same here flies none";
    EXPECT_EQ(recordstest::lineCount(said.text()), 1);
    EXPECT_NE(said.text().find("the world board's run"), std::string::npos) << said.text();

    flyThisRunAsTheGhost(world);
    flyThePilotsGhost(false);  // a plain time trial chosen again
    EXPECT_FALSE(aChosenRunFlies());
    prepareGhost(RaceMode::TimeTrial);
    EXPECT_FALSE(hasGhost()) << "no best of the player's own kept here";
    keepReplays(false);
    raceOnCircuit(CLASSIC_CIRCUIT);
}

TEST(WorldGhost, OnlyANewBestIsToldAndOnlyOnceWhenKept) {
    recordstest::TempDataHome home;
    testsupport::startRaceWithoutGraphics();
    keepReplays(true);
    raceOnCircuit(7);
    std::vector<Replay> told;
    whenABestIsKept([&told](const Replay& best) { told.push_back(best); });
    const struct {
        const char* what;
        int idleTicks;
        size_t toldAfter;
    } cases[] = {
        {"the first finish is a best", 300, 1},
        {"a slower one is not", 900, 1},
        {"a faster one is", 0, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const uint32_t raceMs = driveTheTimeTrial(c.idleTicks);
        keepRecordedRace();  // R, as the player races again: kept already
        ASSERT_EQ(told.size(), c.toldAfter);
        if (c.toldAfter == 1 && c.idleTicks == 300) {
            EXPECT_EQ(told.back().raceMs, raceMs);
            EXPECT_EQ(told.back().mode, RaceMode::TimeTrial);
            EXPECT_EQ(told.back().circuit, 7u);
        }
    }
    EXPECT_LT(told[1].raceMs, told[0].raceMs);
    whenABestIsKept(nullptr);
    keepReplays(false);
    raceOnCircuit(CLASSIC_CIRCUIT);
}

}  // namespace
