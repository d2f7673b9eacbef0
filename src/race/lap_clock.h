#pragma once

#include <cstdint>
#include <string>

// The least clock time before the first lap counts, and between two laps.
constexpr uint32_t LAP_MIN_MS = 10000;

// Where the clock reads its milliseconds: the race's own time (see
// raceMilliseconds), unless a test puts its own clock here.
using MillisecondSource = uint32_t (*)();

// "%2d:%2d:%03d\n": minutes and seconds space-padded, milliseconds always
// three digits, so 54 035 ms reads " 0:54:035" and not as 54.35 s.
std::string clockText(uint32_t ms);

// The race clock and the times of the first three laps.
struct LapClock {
    uint32_t startMs = 0;
    uint32_t lapMs[3] = {0, 0, 0};  // 0 while the lap is not completed
    int32_t lapsSeen = 0;           // the craft's laps at the previous registration try
    int32_t lapsAtLastTime = 0;     // the craft's laps when the last lap time was taken
    bool paused = false;
    uint32_t pausedAtMs = 0;  // the source's reading when the pause began

    void start();
    // Unsigned, so the reading stays right across the timer's wrap. It stands
    // still while paused, and stops at the race time once the third lap is in.
    uint32_t elapsedMs() const;
    std::string elapsedText() const;
    std::string lapText(int lap) const;

    // Registers a lap at clock time elapsed when the craft's laps (start-line
    // crossings forwards less backwards) have just gone up past the count of
    // the last registration: a whole lap covered since then, ending on a
    // forward crossing. Standing on the line or reversing over it and back
    // never registers. Returns whether a lap was registered.
    bool registerLap(uint32_t elapsed, int32_t laps);

    // A pause holds the reading; resuming goes on from there, so the time
    // spent paused never counts. Both are harmless when repeated.
    void pause();
    void resume();

    // The third lap is in: the race is run.
    bool finished() const { return lapMs[2] != 0; }
    // The three laps added up, which is the clock's reading at the finish.
    uint32_t raceMs() const { return lapMs[0] + lapMs[1] + lapMs[2]; }

    static void setSource(MillisecondSource source);  // null restores the race's time

private:
    // The time rules: ten seconds before the first lap and between laps, at most three.
    bool takeLapTime(uint32_t elapsed);
};

extern LapClock gLapClock;
