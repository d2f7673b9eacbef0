#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace testsupport {

// A real zentrix-board started for a test on 127.0.0.1 and a free port, with
// the database given; stopped (or killed) when the test is done with it.
class BoardProcess {
public:
    BoardProcess(const std::string& database, const std::vector<std::string>& extraOptions = {});
    ~BoardProcess();
    BoardProcess(const BoardProcess&) = delete;
    BoardProcess& operator=(const BoardProcess&) = delete;

    // False when it did not say where it listens within a few seconds.
    bool running() const { return port_ != 0; }
    std::string url(const std::string& path) const;
    // SIGKILL, with nothing let finish; the next start finds what was kept.
    void kill();
    // SIGTERM, waited for; true when it exited 0.
    bool stop();

private:
    pid_t pid_ = -1;
    unsigned port_ = 0;
};

// The board's own executable, beside the tests'.
std::string boardExecutable();

}  // namespace testsupport
