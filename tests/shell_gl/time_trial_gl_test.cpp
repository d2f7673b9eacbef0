// A time trial through the game's own tick: its countdown over the grid, then
// the circuit alone on the road with the pilot's keys held as a player holds
// them, and what it keeps apart from races.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "craft/opponent.h"
#include "craft/pilot.h"
#include "input/key_state.h"
#include "race/lap_clock.h"
#include "race/race.h"
#include "race/race_result.h"
#include "render/scene.h"
#include "saves/replay_file.h"
#include "screen/overlay_glyphs.h"
#include "session/countdown.h"
#include "session/ghost.h"
#include "session/race_commands.h"
#include "session/race_recording.h"
#include "session/race_records.h"
#include "session/replay_run.h"
#include "shell/game_frame.h"
#include "support/gl_test_window.h"
#include "support/records_fixture.h"
#include "track/circuit_generator.h"
#include "track/track.h"

namespace {

// The keys a player would be holding, down and up as they change.
void holdKeys(const KeyboardInput& keys) {
    const std::pair<bool, int> wanted[] = {
        {keys.up, VK_UP}, {keys.down, VK_DOWN}, {keys.left, VK_LEFT}, {keys.right, VK_RIGHT}};
    for (const auto& [down, key] : wanted) {
        if (down) {
            recordKeyDown(key);
        } else {
            recordKeyUp(key);
        }
    }
}

struct OpponentSeen {
    Vector3 position;
    float speed;
    int32_t destroyed;
    bool operator==(const OpponentSeen& o) const {
        return position.x == o.position.x && position.z == o.position.z && speed == o.speed &&
               destroyed == o.destroyed;
    }
};

std::vector<OpponentSeen> opponentsNow() {
    std::vector<OpponentSeen> seen;
    for (const Opponent& o : gOpponents) {
        seen.push_back({o.position, o.speed, o.destroyed});
    }
    return seen;
}

class TimeTrial : public testing::Test {
protected:
    static void SetUpTestSuite() {
        testsupport::useSharedGlTestWindow();
        ASSERT_EQ(chdir(ZENTRIX_SOURCE_DIR), 0);
        setupScene(rasterizeOverlayGlyphs());
    }
    void SetUp() override {
        releaseAllKeys();
        raceOnCircuit(CLASSIC_CIRCUIT);
        loadRaceRecords();
        keepReplays();
    }
    void TearDown() override {
        releaseAllKeys();
        keepReplays(false);
        chooseRaceMode(RaceMode::Race);
        stopCountdown();
        lineUpTheGrid();
        forgetOfferedRace();
    }

    recordstest::TempDataHome home_;
};

TEST_F(TimeTrial, AloneOnTheRoadAfterItsCountdownItKeepsItsOwnRecordsReplayAndMedals) {
    chooseRaceMode(RaceMode::TimeTrial);
    raceAgain();
    ASSERT_EQ(raceMode(), RaceMode::TimeTrial);
    const std::vector<OpponentSeen> grid = opponentsNow();
    for (const OpponentSeen& o : grid) {
        EXPECT_EQ(o.destroyed, 1) << "off the road: not drawn, touched, hit or placed";
    }

    // Held through the countdown, accelerate moves nothing and the clock waits.
    recordKeyDown(VK_UP);
    for (int tick = 0; tick < 3 * RACE_TICKS_PER_SECOND; ++tick) {
        runRaceTick();
    }
    EXPECT_TRUE(countdownHolds());
    EXPECT_EQ(gTicksThisRace, 0);
    EXPECT_EQ(gLapClock.elapsedMs(), 0u);
    EXPECT_EQ(gPlayer.speed, 0.0f);

    const Pilot pilot(gTrack);
    int ticks = 0;
    bool opponentsStood = true;
    while (!raceIsFinished() && ticks < 20 * 60 * RACE_TICKS_PER_SECOND) {
        holdKeys(pilot.keys(gPlayer));
        runRaceTick();
        ++ticks;
        opponentsStood = opponentsStood && opponentsNow() == grid;
    }
    releaseAllKeys();
    EXPECT_FALSE(countdownHolds());
    EXPECT_TRUE(opponentsStood) << "no opponent moves, and none is slowed by a touch";
    ASSERT_TRUE(raceIsFinished());
    EXPECT_EQ(gTicksThisRace, ticks) << "the clock started at GO";
    EXPECT_EQ(raceResult().place, 1);

    offerFinishedRace();
    const std::string records = recordstest::readText(home_.file());
    EXPECT_EQ(records.find("\ncircuit 0 "), std::string::npos) << records;
    EXPECT_NE(records.find("\ntime-trial 0 best-lap-ms "), std::string::npos) << records;
    EXPECT_NE(records.find("\nmedals 0 pilot-ms "), std::string::npos) << records;
    EXPECT_EQ(currentRecords().bestRaceMs, gLapClock.raceMs());

    // The pilot's keys drive the pilot's time: gold, not the pilot's own medal.
    const std::optional<MedalTimes> medals = knownMedalTimes(CLASSIC_CIRCUIT);
    ASSERT_TRUE(medals);
    EXPECT_EQ(medals->pilotMs, gLapClock.raceMs());
    EXPECT_EQ(medalHeld(CLASSIC_CIRCUIT), Medal::Gold);

    const std::string replays = home_.folder() + "/replays/";
    EXPECT_FALSE(std::filesystem::exists(replays + bestReplayName(0)));
    const ReplayRead best = readReplayFile(replays + bestReplayName(0, RaceMode::TimeTrial));
    ASSERT_EQ(best.status, ReplayStatus::Valid) << best.problem;
    EXPECT_EQ(best.replay.mode, RaceMode::TimeTrial);
    EXPECT_TRUE(runReplay(best.replay).matches);

    // Against the pilot's ghost, the ghost flies the pilot's own path; a race
    // has no time trial's ghost.
    flyThePilotsGhost(true);
    raceAgain();
    for (int tick = 0; tick < 3 * RACE_TICKS_PER_SECOND + 600; ++tick) {
        runRaceTick();  // no key held: the craft stands on the grid
    }
    const std::optional<CraftPose> ghost = ghostPoseNow(1.0);
    ASSERT_TRUE(ghost);
    EXPECT_GT(ghost->position.distanceTo(gPlayer.position), 1000.0)
        << "ten seconds on, the pilot's ghost is far up the road";
    flyThePilotsGhost(false);
    chooseRaceMode(RaceMode::Race);
    raceAgain();
    EXPECT_FALSE(hasGhost());
}

}  // namespace
