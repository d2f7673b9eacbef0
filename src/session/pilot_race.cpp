#include "session/pilot_race.h"

#include "craft/pilot.h"
#include "craft/player.h"
#include "race/race.h"
#include "race/race_result.h"
#include "session/race_recording.h"
#include "track/circuit_generator.h"
#include "track/track.h"

Replay pilotRace(uint32_t circuit) {
    if (gTrack.circuitNumber() != circuit) {
        raceOnCircuit(circuit);  // grown only when it is not the one raced
    }
    const Pilot pilot(gTrack);
    startRace(RACE_SEED);
    for (uint32_t tick = 0; tick < PILOT_MAX_TICKS && !raceIsFinished(); ++tick) {
        stepRecordedRace(pilot.keys(gPlayer));
    }
    return recordedRace();
}
