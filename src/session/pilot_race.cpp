#include "session/pilot_race.h"

#include <optional>

#include "craft/pilot.h"
#include "craft/player.h"
#include "race/race.h"
#include "race/race_result.h"
#include "session/race_recording.h"
#include "track/circuit_generator.h"
#include "track/track.h"

namespace {
std::optional<Replay> gLastRun;
}  // namespace

Replay pilotRace(uint32_t circuit) {
    if (gTrack.circuitNumber() != circuit) {
        raceOnCircuit(circuit);  // grown only when it is not the one raced
    }
    const Pilot pilot(gTrack);
    startRace(RACE_SEED, RaceMode::TimeTrial);
    // Recorded here, not as the game records its races: a pilot's run is
    // never the player's last or best race.
    Replay run = replayOfTheGrid(RACE_SEED);
    for (uint32_t tick = 0; tick < PILOT_MAX_TICKS && !raceIsFinished(); ++tick) {
        const KeyboardInput keys = pilot.keys(gPlayer);
        stepRace(keys);
        run.controls.push_back(controlsOf(keys));
    }
    takeTheRaceSoFar(run);
    return run;
}

const Replay& pilotRunOf(uint32_t circuit) {
    if (!gLastRun || gLastRun->circuit != circuit) {
        gLastRun = pilotRace(circuit);
    }
    return *gLastRun;
}
