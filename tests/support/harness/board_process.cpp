#include "support/harness/board_process.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace testsupport {
namespace {
constexpr int START_WAIT_MS = 10000;

// "zentrix-board: listening on http://127.0.0.1:PORT/ with ...": the port.
unsigned portIn(const std::string& line) {
    const std::string before = "http://127.0.0.1:";
    const size_t at = line.find(before);
    return at == std::string::npos
               ? 0
               : static_cast<unsigned>(std::stoul(line.substr(at + before.size())));
}
}  // namespace

std::string boardExecutable() {
    return std::string(ZENTRIX_BINARY_DIR) + "/zentrix-board";
}

BoardProcess::BoardProcess(const std::string& database,
                           const std::vector<std::string>& extraOptions) {
    std::vector<std::string> arguments = {boardExecutable(), "--listen", "127.0.0.1:0",
                                          "--database", database};
    arguments.insert(arguments.end(), extraOptions.begin(), extraOptions.end());
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    int out[2];
    if (pipe(out) != 0) {
        return;
    }
    pid_ = fork();
    if (pid_ == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    std::string line;
    pollfd wait{out[0], POLLIN, 0};
    char c = 0;
    while (line.find('\n') == std::string::npos && poll(&wait, 1, START_WAIT_MS) == 1 &&
           read(out[0], &c, 1) == 1) {
        line += c;
    }
    close(out[0]);
    port_ = portIn(line);
}

BoardProcess::~BoardProcess() {
    if (pid_ > 0) {
        stop();
    }
}

std::string BoardProcess::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void BoardProcess::kill() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
}

bool BoardProcess::stop() {
    if (pid_ <= 0) {
        return false;
    }
    ::kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace testsupport
