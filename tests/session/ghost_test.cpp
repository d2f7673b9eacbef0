#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "hud/ghost_gap.h"
#include "race/lap_clock.h"
#include "race/race.h"
#include "race/race_pose.h"
#include "race/race_result.h"
#include "saves/replay_file.h"
#include "session/ghost.h"
#include "session/race_recording.h"
#include "support/harness/race_start.h"
#include "support/records_fixture.h"
#include "track/circuit_generator.h"

namespace {

// Three laps driven along the centre line after standing still for
// idleTicks; afterTick sees the race after each tick. Returns the race time.
uint32_t driveToTheFinish(int idleTicks, const std::function<void()>& afterTick) {
    for (int tick = 0; !raceIsFinished() && tick < 40000; ++tick) {
        stepRecordedRace(tick < idleTicks ? KeyboardInput()
                                          : testsupport::followTheCentreLine(tick - idleTicks));
        afterTick();
    }
    EXPECT_TRUE(raceIsFinished());
    return gLapClock.raceMs();
}

// The gap the HUD shows as each lap line is crossed.
std::function<void()> gapsAtTheLines(std::vector<int32_t>& gaps) {
    return [&gaps] {
        const int lapsIn =
            (gLapClock.lapMs[0] != 0) + (gLapClock.lapMs[1] != 0) + (gLapClock.lapMs[2] != 0);
        if (static_cast<int>(gaps.size()) < lapsIn) {
            gaps.push_back(ghostLapGapNow().value_or(999999));
        }
    };
}

// A slow race is kept as the circuit's best and flies as the ghost of the
// next, which beats it: the gaps read ahead at every line. That race is the
// new best, run again without a ghost to the same end (so its ghost never
// touched it), and flies in the race after, on the live craft at every tick.
TEST(Ghost, TheBestRaceFliesInTheNextWithoutTouchingItAndABetterOneTakesOver) {
    recordstest::TempDataHome home;
    keepReplays(true);
    raceOnCircuit(7);
    prepareGhost();
    EXPECT_FALSE(hasGhost()) << "no race kept on circuit 7 yet";
    testsupport::startRaceWithoutGraphics();
    const uint32_t slowMs = driveToTheFinish(600, [] {});
    EXPECT_TRUE(hasGhost()) << "the best just kept is the ghost at once, before the next race";
    raceOnCircuit(8);
    EXPECT_FALSE(hasGhost()) << "kept for circuit 7 only";
    raceOnCircuit(7);
    prepareGhost();
    startRace();
    ASSERT_TRUE(hasGhost());

    std::vector<int32_t> gaps;
    const uint32_t fastMs = driveToTheFinish(0, gapsAtTheLines(gaps));
    ASSERT_EQ(gaps.size(), 3u);
    for (int32_t gap : gaps) {
        EXPECT_LT(gap, 0) << "ahead of the race that stood ten seconds on the grid";
    }
    ASSERT_LT(fastMs, slowMs);
    EXPECT_EQ(ghostFinishGap(), static_cast<int32_t>(fastMs - slowMs));

    prepareGhost();  // as R does after a new best
    ASSERT_TRUE(hasGhost()) << "the race run beside the ghost runs the same alone";
    startRace();
    gaps.clear();
    int offTheCraft = 0;
    driveToTheFinish(0, [&] {
        gapsAtTheLines(gaps)();
        const CraftPose live = playerPoseOf(gRacePoses.at(1.0));
        const std::optional<CraftPose> ghost = ghostPoseNow(1.0);
        offTheCraft += !ghost || !(ghost->position == live.position) || ghost->yaw != live.yaw;
    });
    EXPECT_EQ(offTheCraft, 0);
    EXPECT_EQ(gaps, std::vector<int32_t>({0, 0, 0}));
    EXPECT_EQ(ghostFinishGap(), 0);
    toggleGhost();
    EXPECT_FALSE(ghostPoseNow(1.0)) << "G hides it";
    toggleGhost();
    keepReplays(false);
    raceOnCircuit(CLASSIC_CIRCUIT);
}

// A damaged best (cut short in its version) is moved aside, said in one line,
// and no ghost flies.
TEST(Ghost, ADamagedBestIsMovedAsideAndNoGhostFlies) {
    recordstest::TempDataHome home;
    keepReplays(true);
    const std::string folder = home.folder() + "/replays";
    ASSERT_EQ(system(("mkdir -p " + folder).c_str()), 0);
    recordstest::writeText(folder + "/" + bestReplayName(CLASSIC_CIRCUIT), "ZENTRIXR\x01");
    raceOnCircuit(CLASSIC_CIRCUIT);
    recordstest::StderrCapture said;
    prepareGhost();
    EXPECT_FALSE(hasGhost());
    EXPECT_EQ(recordstest::lineCount(said.text()), 1) << said.text();
    EXPECT_EQ(recordstest::namesIn(folder, "best-0.zxr.corrupt-").size(), 1u) << said.text();
    keepReplays(false);
}

TEST(Ghost, TheGapReadsInSecondsSignedAndColouredByWhoIsAhead) {
    const struct {
        int32_t ms;
        const char* text;
        ColorCode color;
    } cases[] = {{-840, "-0.840", COLOR_GREEN},
                 {1200, "+1.200", COLOR_RED},
                 {0, "0.000", COLOR_WHITE},
                 {-61005, "-61.005", COLOR_GREEN}};
    for (const auto& c : cases) {
        EXPECT_EQ(ghostGapText(c.ms), c.text);
        EXPECT_EQ(ghostGapColor(c.ms), c.color) << c.text;
    }
}

}  // namespace
