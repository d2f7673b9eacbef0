#pragma once

#include <istream>
#include <ostream>
#include <string>

// --verify FILE: the replay read, its race run again with no window, GL
// context, sound device or data folder, and the circuit, the laps, the race
// time (or "unfinished, N of 3 laps") and "verified" printed (status 0), or
// "does not match" (1). A file that is no replay the game can read is one
// line on err and status 2, as is a format 1 replay with no data folder
// found to read the craft from.
// A path of "-" reads the replay from in (standard input, for a pipe).
int verifyReplayCommand(const std::string& path, std::istream& in, std::ostream& out,
                        std::ostream& err);

// --replay FILE: the replay read and set to be watched on its own circuit,
// true; or false after a box saying why it is no replay the game can read.
bool watchReplayFile(const std::string& path);

constexpr int REPLAY_MISMATCH_STATUS = 1;
constexpr int REPLAY_UNREADABLE_STATUS = 2;
