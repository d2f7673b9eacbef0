#pragma once

#include <string>
#include <vector>

// Bounds on a child the board starts to race a stranger's file: it may spin,
// grow or crash, and the board goes on.
struct ChildLimits {
    unsigned cpuSeconds = 5;
    unsigned long memoryBytes = 256ul * 1024 * 1024;
    // Wall time, for a child that waits instead of working.
    unsigned wallMilliseconds = 10000;
    size_t outputBytesMax = 2 * 1024 * 1024;
};

struct ChildResult {
    bool started = false;
    bool exited = false;  // ended by itself, with exitStatus
    int exitStatus = -1;
    int signal = 0;         // the signal that ended it, when it did not exit
    bool timedOut = false;  // killed after ChildLimits::wallMilliseconds
    std::string output;     // its standard output, cut at outputBytesMax
};

// Runs program with arguments (argv[0] included), input on its standard input,
// under the limits; its standard error is the board's. Safe to call from many
// threads at once.
ChildResult runChild(const std::string& program, const std::vector<std::string>& arguments,
                     const std::string& input, const ChildLimits& limits);
