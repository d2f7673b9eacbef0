#include "session/final_stretch_aid.h"

#include <cstdint>
#include <cstdlib>

#include "craft/player.h"
#include "race/lap_clock.h"
#include "session/race_recording.h"

namespace {
constexpr uint32_t FIRST_LAP_MS = 41250;
constexpr uint32_t SECOND_LAP_MS = 40125;
constexpr uint32_t INTO_THE_THIRD_MS = 38000;
constexpr double BEFORE_THE_LINE = 0.011;  // track parameter: some 700 units here
}  // namespace

void applyFinalStretchAid() {
    const char* wanted = std::getenv("ZENTRIX_TEST_FINAL_STRETCH");
    // Once a race: a second time would take the two laps off the clock again.
    if (wanted == nullptr || *wanted == '\0' || thisRaceIsNeverKept()) {
        return;
    }
    // The clock's own rules take the two laps, as if they had been flown.
    gLapClock.registerLap(FIRST_LAP_MS, 1);
    gLapClock.registerLap(FIRST_LAP_MS + SECOND_LAP_MS, 2);
    gLapClock.startMs -= FIRST_LAP_MS + SECOND_LAP_MS + INTO_THE_THIRD_MS;
    gPlayer.laps = 2;
    placePlayerOnTrack(gPlayer, -BEFORE_THE_LINE);
    neverKeepThisRace();
}
