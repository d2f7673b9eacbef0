#include "trace/startup_trace.h"

#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {
bool tracing() {
    static const bool on = [] {
        const char* wanted = std::getenv("ZENTRIX_TRACE_STARTUP");
        return wanted != nullptr && std::strcmp(wanted, "1") == 0;
    }();
    return on;
}

// When the kernel started the process, in seconds since boot: field 22 of
// /proc/self/stat, after the command name in parentheses (which may hold
// spaces), in clock ticks.
double startedSecondsAfterBoot() {
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t afterName = text.rfind(')');
    if (afterName == std::string::npos) {
        return 0.0;
    }
    std::istringstream fields(text.substr(afterName + 2));
    std::string field;
    for (int i = 3; i < 22 && fields >> field; ++i) {
    }
    unsigned long long ticks = 0;
    fields >> ticks;
    return static_cast<double>(ticks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double millisecondsSinceExec() {
    static const double started = startedSecondsAfterBoot();
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return (static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9 - started) *
           1000.0;
}

double residentMebibytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) /
           (1024.0 * 1024.0);
}
}  // namespace

void traceStartup(const std::string& step) {
    if (!tracing()) {
        return;
    }
    std::fprintf(stderr, "zentrix: start-up %8.1f ms %7.1f MiB  %s\n", millisecondsSinceExec(),
                 residentMebibytes(), step.c_str());
}

void traceFirstFrame() {
    static bool traced = false;
    if (!traced) {
        traced = true;
        traceStartup("first frame shown");
    }
}
