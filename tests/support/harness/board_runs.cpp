#include "support/harness/board_runs.h"

#include "board/pilot_check.h"
#include "craft/opponent.h"
#include "craft/pilot.h"
#include "race/race.h"
#include "race/race_result.h"
#include "session/pilot_race.h"
#include "session/race_recording.h"
#include "track/circuit_generator.h"
#include "track/track.h"

namespace testsupport {

Replay pilotVariant(uint32_t circuit, uint32_t variant) {
    for (Opponent& opponent : gOpponents) {
        opponent.model.objects.assign(GAME_CRAFT_PARTS, MeshObject());
        opponent.model.objectCount = static_cast<int32_t>(GAME_CRAFT_PARTS);
    }
    if (gTrack.circuitNumber() != circuit) {
        raceOnCircuit(circuit);
    }
    const Pilot pilot(gTrack);
    startRace(RACE_SEED, RaceMode::TimeTrial);
    Replay run = replayOfTheGrid(RACE_SEED);
    const uint32_t shotTick = 60 + variant;
    for (uint32_t tick = 0; tick < PILOT_MAX_TICKS && !raceIsFinished(); ++tick) {
        KeyboardInput keys = pilot.keys(gPlayer);
        keys.space = tick == shotTick;
        stepRace(keys);
        run.controls.push_back(controlsOf(keys));
    }
    takeTheRaceSoFar(run);
    return run;
}

}  // namespace testsupport
