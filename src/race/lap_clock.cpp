#include "race/lap_clock.h"

#include <cstdio>

#include "race/race_time.h"

LapClock gLapClock;

namespace {
// The race's own time, counted in ticks, unless a test hands over another.
MillisecondSource gSource = raceMilliseconds;
}  // namespace

std::string clockText(uint32_t ms) {
    const int minutes = static_cast<int>((ms / 60000u) % 60u);
    const int seconds = static_cast<int>((ms / 1000u) % 60u);
    const int millis = static_cast<int>(ms % 1000u);
    char text[32];
    std::snprintf(text, sizeof text, "%2d:%2d:%03d\n", minutes, seconds, millis);
    return text;
}

void LapClock::setSource(MillisecondSource source) {
    gSource = source != nullptr ? source : raceMilliseconds;
}

void LapClock::start() {
    startMs = gSource();
    lapMs[0] = lapMs[1] = lapMs[2] = 0;
    lapsSeen = 0;
    lapsAtLastTime = 0;
    paused = false;
    pausedAtMs = 0;
}

uint32_t LapClock::elapsedMs() const {
    if (finished()) {
        return raceMs();
    }
    return (paused ? pausedAtMs : gSource()) - startMs;
}

void LapClock::pause() {
    if (!paused) {
        pausedAtMs = gSource();
        paused = true;
    }
}

void LapClock::resume() {
    if (paused) {
        startMs += gSource() - pausedAtMs;
        paused = false;
    }
}

std::string LapClock::elapsedText() const {
    return clockText(elapsedMs());
}

std::string LapClock::lapText(int lap) const {
    if (lap < 0 || lap > 2) {
        return std::string();
    }
    return clockText(lapMs[lap]);
}

bool LapClock::registerLap(uint32_t elapsed, int32_t laps) {
    const bool crossedForwards = laps > lapsSeen;
    lapsSeen = laps;
    if (!crossedForwards || laps <= lapsAtLastTime || !takeLapTime(elapsed)) {
        return false;
    }
    lapsAtLastTime = laps;
    return true;
}

bool LapClock::takeLapTime(uint32_t elapsed) {
    if (elapsed <= LAP_MIN_MS) {
        return false;
    }
    if (lapMs[0] == 0) {
        lapMs[0] = elapsed;
        return true;
    }
    if (lapMs[1] == 0) {
        // Without a second lap there can be no third, whatever the time.
        if (elapsed > lapMs[0] + LAP_MIN_MS) {
            lapMs[1] = elapsed - lapMs[0];
            return true;
        }
        return false;
    }
    if (lapMs[2] == 0 && elapsed > lapMs[0] + lapMs[1] + LAP_MIN_MS) {
        lapMs[2] = elapsed - lapMs[1] - lapMs[0];
        return true;
    }
    return false;
}
