#include "support/harness/private_xvfb.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace testsupport {
namespace {
pid_t gXvfbPid = 0;

void stopXvfb() {
    if (gXvfbPid > 0) {
        kill(gXvfbPid, SIGTERM);
        waitpid(gXvfbPid, nullptr, 0);
        gXvfbPid = 0;
    }
}
}  // namespace

bool startPrivateXvfb() {
    if (gXvfbPid > 0) {
        return true;
    }
    int fds[2];
    if (pipe(fds) != 0) {
        return false;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        // Xvfb writes the display number it chose to the pipe once it is ready.
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        std::freopen("/dev/null", "w", stderr);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten",
               "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') {
        number += c;
    }
    close(fds[0]);
    if (number.empty()) {
        waitpid(pid, nullptr, 0);
        return false;
    }
    gXvfbPid = pid;
    std::atexit(stopXvfb);
    setenv("DISPLAY", (":" + number).c_str(), 1);
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
    setenv("ALSOFT_DRIVERS", "null", 1);
    return true;
}

}  // namespace testsupport
