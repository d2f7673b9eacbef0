#pragma once

#include <cstdint>
#include <string>

// The least clock time before the first lap counts, and between two laps.
constexpr uint32_t LAP_MIN_MS = 10000;

// The start line lies between the lap's last stretch and its first; a craft
// seen in the one last frame and in the other this frame has crossed it forwards.
constexpr double LAP_LAST_STRETCH = 6.183184;
constexpr double LAP_FIRST_STRETCH = 0.3;

// Where the clock reads its milliseconds; tests put their own clock here.
using MillisecondSource = uint32_t (*)();

// "%2d:%2d:%d\n": minutes and seconds space-padded, milliseconds unpadded.
std::string clockText(uint32_t ms);

// True when the craft went from the lap's last stretch into its first
// between two frames.
bool crossedStartLineForwards(double previousLambda, double lambda);

// The race clock and the times of the first three laps.
struct LapClock {
    uint32_t startMs = 0;
    uint32_t lapMs[3] = {0, 0, 0};  // 0 while the lap is not completed

    void start();
    // Unsigned, so the reading stays right across the timer's wrap.
    uint32_t elapsedMs() const;
    std::string elapsedText() const;
    std::string lapText(int lap) const;

    // Registers a lap at clock time elapsed when the craft stands on the start
    // line (lambda exactly 0) or has just crossed it; returns whether one was.
    bool registerLap(uint32_t elapsed, double lambda, double previousLambda);

    static void setSource(MillisecondSource source);  // null restores the platform's
};

extern LapClock gLapClock;
