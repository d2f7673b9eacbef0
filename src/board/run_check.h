#pragma once

#include <cstdint>
#include <string>

#include "saves/replay_file.h"

// What the board makes of a file sent as a run: counted with the times it
// was raced again in, or refused with the answer's status and reason.
struct RunCheck {
    int status = 0;  // 0 when it counts, else 400 or 422
    std::string reason;
    Replay replay;  // as read from the file
    uint32_t raceMs = 0;
    uint32_t lapMs[3] = {};
    std::string controlsKey;
};

// Reads the file (the reader trusts nothing): status 0 when it is a time
// trial the board can race again, else why not.
RunCheck readRunFile(const std::string& bytes);

// Reads the file, then races it again in a child: childProgram run with "--check-run", under limits
// on its CPU time and memory, since a race's state is the process's own.
RunCheck checkRun(const std::string& bytes, const std::string& childProgram);

// The child's side: reads a replay on in, races it and writes one line,
// "raced RACE_MS LAP1 LAP2 LAP3 STATE_HASH". Returns the exit status.
int checkRunInThisProcess(std::istream& in, std::ostream& out);

// What makes two runs of a circuit the same: the controls tick by tick, hashed.
std::string controlsKeyOf(const Replay& replay);

// The largest file taken as a run: more than a three-lap time trial needs.
constexpr size_t RUN_FILE_MAX_BYTES = 64 * 1024;
