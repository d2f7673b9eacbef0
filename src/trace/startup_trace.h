// trace: the start-up timeline, for players and packagers reporting a slow start.
#pragma once

#include <string>

// With ZENTRIX_TRACE_STARTUP=1, one line on standard error for a step of the
// start-up just done: milliseconds since the program was executed (counted
// from the kernel's start time of the process, to its 10 ms grain; the steps'
// differences are exact), the resident memory then, and the step. Nothing
// otherwise.
void traceStartup(const std::string& step);

// The first frame shown: traced once, the first time only.
void traceFirstFrame();
