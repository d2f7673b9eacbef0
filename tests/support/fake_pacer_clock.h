#pragma once

#include <cstdint>
#include <vector>

#include "shell/loop_pacer.h"

namespace testsupport {

// A clock for the loop pacer whose time moves only when the test moves it
// (a frame's work) or the pacer sleeps; it keeps every sleep asked of it.
class FakePacerClock : public PacerClock {
public:
    int64_t nowNanoseconds() override { return now; }
    void sleepNanoseconds(int64_t duration) override {
        sleeps.push_back(duration);
        now += duration;
    }
    void advance(int64_t duration) { now += duration; }

    int64_t now = 0;
    std::vector<int64_t> sleeps;
};

}  // namespace testsupport
