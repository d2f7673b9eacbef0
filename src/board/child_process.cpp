#include "board/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace {
using Clock = std::chrono::steady_clock;
constexpr int CHILD_NICENESS = 10;

// A sanitizer's runtime maps terabytes of shadow memory at start, so a child
// built with one cannot run under a bound on its address space; the CPU and
// wall time bounds still hold.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool BOUND_ADDRESS_SPACE = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
constexpr bool BOUND_ADDRESS_SPACE = false;
#else
constexpr bool BOUND_ADDRESS_SPACE = true;
#endif
#else
constexpr bool BOUND_ADDRESS_SPACE = true;
#endif

// Between fork and exec only async-signal-safe calls: the board is threaded.
[[noreturn]] void becomeChild(const std::string& program, char* const* argv, int inRead,
                              int outWrite, const ChildLimits& limits) {
    dup2(inRead, STDIN_FILENO);
    dup2(outWrite, STDOUT_FILENO);
    // Nothing of the board's (its sockets, its database) is the child's.
    syscall(SYS_close_range, 3u, ~0u, 0u);
    const rlimit cpu{limits.cpuSeconds, limits.cpuSeconds + 1};
    setrlimit(RLIMIT_CPU, &cpu);
    if (BOUND_ADDRESS_SPACE) {
        const rlimit memory{limits.memoryBytes, limits.memoryBytes};
        setrlimit(RLIMIT_AS, &memory);
    }
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    // Races yield to the board's own threads: a read is answered at once
    // while runs are raced on what is left.
    setpriority(PRIO_PROCESS, 0, CHILD_NICENESS);
    execv(program.c_str(), argv);
    _exit(127);
}

int remainingMs(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Feeds the input and gathers the output until the child closes its end or
// the deadline passes; false when it passed.
bool exchange(int inWrite, int outRead, const std::string& input, const ChildLimits& limits,
              Clock::time_point deadline, std::string& output) {
    size_t written = 0;
    if (input.empty()) {
        close(inWrite);
        inWrite = -1;
    }
    char buffer[16384];
    while (true) {
        pollfd fds[2] = {{outRead, POLLIN, 0}, {inWrite, POLLOUT, 0}};
        const int ready = poll(fds, inWrite >= 0 ? 2 : 1, remainingMs(deadline));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            if (inWrite >= 0) {
                close(inWrite);
            }
            return false;
        }
        if (inWrite >= 0 && (fds[1].revents & (POLLOUT | POLLERR | POLLHUP)) != 0) {
            const ssize_t n = write(inWrite, input.data() + written, input.size() - written);
            if (n > 0) {
                written += static_cast<size_t>(n);
            }
            if (n < 0 || written == input.size()) {
                close(inWrite);
                inWrite = -1;
            }
        }
        if ((fds[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
            const ssize_t n = read(outRead, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                if (inWrite >= 0) {
                    close(inWrite);
                }
                return true;
            }
            if (output.size() < limits.outputBytesMax) {
                output.append(buffer, static_cast<size_t>(n));
            }
        }
    }
}
}  // namespace

ChildResult runChild(const std::string& program, const std::vector<std::string>& arguments,
                     const std::string& input, const ChildLimits& limits) {
    ChildResult result;
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    int toChild[2];
    int fromChild[2];
    if (pipe2(toChild, O_CLOEXEC) != 0) {
        return result;
    }
    if (pipe2(fromChild, O_CLOEXEC) != 0) {
        close(toChild[0]);
        close(toChild[1]);
        return result;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        becomeChild(program, argv.data(), toChild[0], fromChild[1], limits);
    }
    close(toChild[0]);
    close(fromChild[1]);
    if (pid < 0) {
        close(toChild[1]);
        close(fromChild[0]);
        return result;
    }
    result.started = true;
    const Clock::time_point deadline =
        Clock::now() + std::chrono::milliseconds(limits.wallMilliseconds);
    if (!exchange(toChild[1], fromChild[0], input, limits, deadline, result.output)) {
        kill(pid, SIGKILL);
        result.timedOut = true;
    }
    close(fromChild[0]);
    // A child that closed its output yet goes on is killed at the deadline too.
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (remainingMs(deadline) == 0) {
            kill(pid, SIGKILL);
            result.timedOut = true;
            waitpid(pid, &status, 0);
            break;
        }
        usleep(500);
    }
    if (WIFEXITED(status)) {
        result.exited = true;
        result.exitStatus = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.signal = WTERMSIG(status);
    }
    return result;
}
