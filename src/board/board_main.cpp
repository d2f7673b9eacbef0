// zentrix-board: the world board's server.
#include <signal.h>
#include <sys/resource.h>

#include <iostream>
#include <memory>

#include "assets/data_dir.h"
#include "board/board_options.h"
#include "board/board_service.h"
#include "board/board_store.h"
#include "board/http_server.h"
#include "board/pilot_check.h"
#include "board/run_check.h"

namespace {
// Every open connection is a file: take as many as the system allows.
void raiseOpenFileLimit() {
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
    }
}

int serve(const BoardOptions& options) {
    // Signals are waited for here; no other thread takes them.
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGTERM);
    sigaddset(&stop, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stop, nullptr);
    signal(SIGPIPE, SIG_IGN);
    raiseOpenFileLimit();

    std::unique_ptr<BoardStore> store;
    try {
        store = openBoardStore(options.database);
    } catch (const BoardStoreError& error) {
        std::cerr << "zentrix-board: " << error.what() << "\n";
        return 1;
    }
    const std::string self = executableRealPath();
    if (self.empty()) {
        std::cerr << "zentrix-board: cannot find its own executable to race runs with\n";
        return 1;
    }
    BoardService service(*store, {self, options.runsPerMinute});
    HttpServerOptions http;
    http.address = options.listenAddress;
    http.port = options.port;
    http.behindProxy = options.behindProxy;
    http.requestSeconds = options.requestSeconds;
    HttpServer server(service, http);
    if (!server.start()) {
        return 1;
    }
    std::cout << "zentrix-board: listening on http://" << options.listenAddress << ":"
              << server.port() << "/ with " << store->kind() << std::endl;
    int signal = 0;
    sigwait(&stop, &signal);
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    const BoardOptions options = parseBoardOptions(argc, argv);
    switch (options.request) {
        case BoardOptions::Request::Usage:
            std::cerr << "zentrix-board: " << options.problem << "\n";
            printBoardUsage(std::cerr);
            return BOARD_USAGE_STATUS;
        case BoardOptions::Request::Help:
            printBoardUsage(std::cout);
            return 0;
        case BoardOptions::Request::Version:
            std::cout << "zentrix-board " << ZENTRIX_VERSION << "\n";
            return 0;
        case BoardOptions::Request::CheckRun:
            return checkRunInThisProcess(std::cin, std::cout);
        case BoardOptions::Request::PilotRun:
            return pilotRunInThisProcess(options.circuit, std::cout);
        case BoardOptions::Request::Serve:
            break;
    }
    return serve(options);
}
