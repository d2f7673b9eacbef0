#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "race/lap_clock.h"
#include "race/race_result.h"
#include "saves/records_text.h"
#include "session/final_stretch_aid.h"
#include "session/race_records.h"
#include "support/harness/race_start.h"
#include "support/records_fixture.h"
#include "track/circuit_generator.h"
#include "track/track.h"

namespace {

using recordstest::EnvironmentVariable;
using recordstest::readText;
using recordstest::TempDataHome;
using recordstest::writeText;

// The circuit raced, the classic unless a test grows another.
std::string racedLine(const std::string& times) {
    return "circuit " + std::to_string(gTrack.circuitNumber()) + " " + times + "\n";
}

// A race whose three laps came in as given, on the game's own clock.
void finishRace(uint32_t lap1, uint32_t lap2, uint32_t lap3) {
    gLapClock = LapClock();
    ASSERT_TRUE(gLapClock.registerLap(lap1, 1));
    ASSERT_TRUE(gLapClock.registerLap(lap1 + lap2, 2));
    ASSERT_TRUE(gLapClock.registerLap(lap1 + lap2 + lap3, 3));
}

class RecordsThroughTheRun : public testing::Test {
protected:
    void SetUp() override {
        gLapClock = LapClock();
        loadRaceRecords();
        forgetOfferedRace();
    }
    void TearDown() override { gLapClock = LapClock(); }

    TempDataHome home_;
};

TEST_F(RecordsThroughTheRun, AFinishedRaceIsOfferedOnceAndItsRecordsAreSavedAtOnce) {
    EXPECT_EQ(currentRecords(), Records()) << "a first run has none";
    offerFinishedRace();
    EXPECT_FALSE(recordsBeatenThisRace().any()) << "a race still on is not offered";

    finishRace(41000, 40000, 42000);
    offerFinishedRace();
    EXPECT_TRUE(recordsBeatenThisRace().bestLap);
    EXPECT_TRUE(recordsBeatenThisRace().bestRace);
    EXPECT_EQ(currentRecords().bestLapMs, 40000u);
    EXPECT_EQ(currentRecords().bestRaceMs, 123000u);
    EXPECT_EQ(readText(home_.file()),
              "zentrix-records 4\n" + racedLine("best-lap-ms 40000 best-race-ms 123000"));

    // Frame after frame on the panel, the same race is not offered again.
    for (int frame = 0; frame < 3; ++frame) {
        offerFinishedRace();
    }
    EXPECT_TRUE(recordsBeatenThisRace().bestLap) << "the panel keeps its news";
    EXPECT_EQ(currentRecords().bestRaceMs, 123000u);
}

TEST_F(RecordsThroughTheRun, TheNextRaceAnnouncesOnlyWhatItBeats) {
    finishRace(41000, 40000, 42000);
    offerFinishedRace();

    forgetOfferedRace();
    EXPECT_FALSE(recordsBeatenThisRace().any()) << "a new race has beaten nothing yet";
    finishRace(39000, 45000, 45000);  // a faster lap, a slower race
    offerFinishedRace();
    EXPECT_TRUE(recordsBeatenThisRace().bestLap);
    EXPECT_FALSE(recordsBeatenThisRace().bestRace);
    EXPECT_EQ(currentRecords().bestLapMs, 39000u);
    EXPECT_EQ(currentRecords().bestRaceMs, 123000u);

    // The next run reads what this one saved.
    loadRaceRecords();
    EXPECT_EQ(currentRecords().bestLapMs, 39000u);
    EXPECT_EQ(currentRecords().bestRaceMs, 123000u);
}

TEST_F(RecordsThroughTheRun, OnlyTheCircuitRacedIsShownAndOffered) {
    // A grown circuit raced, the classic's records beside it, faster than anything raced here.
    raceOnCircuit(48213);
    const uint32_t raced = gTrack.circuitNumber();
    const uint32_t other = CLASSIC_CIRCUIT;
    CircuitRecords saved = {{raced, {40000, 123000}}, {other, {20000, 60000}}};
    std::filesystem::create_directories(home_.folder());
    writeText(home_.file(), formatRecords(recordstest::racesOnly(saved)));
    loadRaceRecords();
    EXPECT_EQ(currentRecords(), (Records{40000, 123000}));

    finishRace(39000, 45000, 45000);
    offerFinishedRace();
    EXPECT_TRUE(recordsBeatenThisRace().bestLap);
    EXPECT_FALSE(recordsBeatenThisRace().bestRace);
    EXPECT_EQ(currentRecords(), (Records{39000, 123000}));
    saved[raced].bestLapMs = 39000;
    EXPECT_EQ(readText(home_.file()), formatRecords(recordstest::racesOnly(saved)));
    raceOnCircuit(CLASSIC_CIRCUIT);
}

TEST_F(RecordsThroughTheRun, TheFinalStretchAidsMadeUpLapsAreNoRecordButTheNextRaceIs) {
    testsupport::startRaceWithoutGraphics();
    {
        const EnvironmentVariable aid("ZENTRIX_TEST_FINAL_STRETCH", "1");
        applyFinalStretchAid();
    }
    ASSERT_TRUE(gLapClock.registerLap(41250 + 40125 + 39000, 3));
    offerFinishedRace();
    EXPECT_EQ(raceResult().raceMs, 120375u) << "the finish panel still shows the race";
    EXPECT_FALSE(std::filesystem::exists(home_.file()));

    testsupport::startRaceWithoutGraphics();
    forgetOfferedRace();
    finishRace(41000, 40000, 42000);
    offerFinishedRace();
    EXPECT_EQ(currentRecords(), (Records{40000, 123000}));
}

}  // namespace
