#include "session/replay_run.h"

#include "craft/player.h"
#include "race/lap_clock.h"
#include "race/race.h"
#include "race/race_state_hash.h"
#include "session/race_recording.h"
#include "track/circuit_generator.h"
#include "track/track.h"

ReplayRun runReplay(const Replay& replay, const std::function<void()>& afterEachTick) {
    if (gTrack.circuitNumber() != replay.circuit) {
        raceOnCircuit(replay.circuit);  // grown only when it is not the one raced
    }
    startRace(replay.seed, replay.mode, replay.difficulty);
    for (const ReplayControls controls : replay.controls) {
        stepRace(keysOf(controls));
        if (afterEachTick) {
            afterEachTick();
        }
    }
    ReplayRun run;
    bool sameLaps = true;
    for (int lap = 0; lap < 3; ++lap) {
        run.lapMs[lap] = gLapClock.lapMs[lap];
        sameLaps = sameLaps && run.lapMs[lap] == replay.lapMs[lap];
    }
    run.raceMs = gLapClock.finished() ? gLapClock.raceMs() : 0;
    run.finalStateHash = raceStateHash();
    run.matches =
        sameLaps && run.raceMs == replay.raceMs && run.finalStateHash == replay.finalStateHash;
    return run;
}
