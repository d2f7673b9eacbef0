// The simulation alone, linked with no window, GL or sound: a race recorded,
// kept as a replay file's bytes, read back and run again to the same end.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <string>

#include "craft/opponent.h"
#include "craft/player.h"
#include "race/race.h"
#include "saves/replay_file.h"
#include "session/race_recording.h"
#include "session/replay_run.h"
#include "track/circuit_generator.h"
#include "track/track.h"

namespace {

constexpr int RACE_TICKS = 6000;  // a hundred seconds: past the first lap

// Flat out for the centre line a little way ahead, firing now and then: the
// keys follow from the race alone, so the same race drives the same way.
KeyboardInput keysFor(int tick) {
    const double t = gPlayer.lambda + 0.03;
    const double off = std::remainder(
        std::atan2(gTrack.centreZ(t) - gPlayer.position.z, gTrack.centreX(t) - gPlayer.position.x) -
            gPlayer.yaw,
        2.0 * GAME_PI);
    KeyboardInput keys;
    keys.up = true;
    keys.right = off > 0.02;
    keys.left = off < -0.02;
    keys.space = tick % 240 == 7;
    return keys;
}

// The race as the game records it, from the grid to its last tick.
Replay raceAndRecord(uint32_t circuit, RaceMode mode) {
    raceOnCircuit(circuit);
    for (Opponent& opponent : gOpponents) {
        opponent = Opponent();
        opponent.model.loadAse(ZENTRIX_SOURCE_DIR "/data/nau.ASE");
    }
    startRace(RACE_SEED, mode);
    Replay replay = replayOfTheGrid(RACE_SEED);
    for (int tick = 0; tick < RACE_TICKS; ++tick) {
        const KeyboardInput keys = keysFor(tick);
        replay.controls.push_back(controlsOf(keys));
        stepRace(keys);
    }
    takeTheRaceSoFar(replay);
    return replay;
}

// The file's replay verifies as --verify runs it: decoded, the craft only as
// many parts as it says, its race run again to the same laps and state; one
// control changed and it no longer does.
TEST(SimulationAlone, AReplayFileDecodedRunsAgainToItsRecordedEnd) {
    const struct {
        uint32_t circuit;
        RaceMode mode;
    } cases[] = {{CLASSIC_CIRCUIT, RaceMode::Race}, {48213u, RaceMode::TimeTrial}};
    for (const auto& c : cases) {
        SCOPED_TRACE("circuit " + std::to_string(c.circuit));
        const Replay race = raceAndRecord(c.circuit, c.mode);
        ASSERT_NE(race.lapMs[0], 0u) << "the race covers a lap";

        const ReplayRead read = decodeReplay(encodeReplay(race));
        ASSERT_EQ(read.status, ReplayStatus::Valid) << read.problem;
        const Replay& replay = read.replay;
        ASSERT_EQ(replay.controls.size(), static_cast<std::size_t>(RACE_TICKS));
        EXPECT_EQ(replay.mode, c.mode);
        ASSERT_TRUE(replay.craftParts.has_value());

        raceOnCircuit(CLASSIC_CIRCUIT == c.circuit ? 7u : CLASSIC_CIRCUIT);
        for (Opponent& opponent : gOpponents) {
            opponent.model.objects.assign(*replay.craftParts, MeshObject());
        }
        const ReplayRun again = runReplay(replay);
        EXPECT_TRUE(again.matches);
        EXPECT_EQ(again.lapMs[0], race.lapMs[0]);
        EXPECT_EQ(again.finalStateHash, race.finalStateHash);

        Replay changed = replay;
        changed.controls[RACE_TICKS / 2].bits ^= ReplayControls::ACCELERATE;
        EXPECT_FALSE(runReplay(changed).matches);
    }
    raceOnCircuit(CLASSIC_CIRCUIT);
}

}  // namespace
