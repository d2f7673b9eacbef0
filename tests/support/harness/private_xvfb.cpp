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
XvfbScreen gStartedScreen;

void stopXvfb() {
    if (gXvfbPid > 0) {
        kill(gXvfbPid, SIGTERM);
        waitpid(gXvfbPid, nullptr, 0);
        gXvfbPid = 0;
    }
}

bool sameScreen(const XvfbScreen& a, const XvfbScreen& b) {
    return a.width == b.width && a.height == b.height && a.depth == b.depth;
}
}  // namespace

bool startPrivateXvfb(XvfbScreen screen) {
    if (gXvfbPid > 0) {
        // One server a program: the caller must not draw on a screen it did not ask for.
        return sameScreen(screen, gStartedScreen);
    }
    const std::string geometry = std::to_string(screen.width) + "x" +
                                 std::to_string(screen.height) + "x" + std::to_string(screen.depth);
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
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", geometry.c_str(),
               "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
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
    gStartedScreen = screen;
    std::atexit(stopXvfb);
    setenv("DISPLAY", (":" + number).c_str(), 1);
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
    setenv("ALSOFT_DRIVERS", "null", 1);
    return true;
}

}  // namespace testsupport
