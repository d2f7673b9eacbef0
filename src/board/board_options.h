#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

struct BoardOptions {
    enum class Request { Serve, CheckRun, PilotRun, Help, Version, Usage };
    Request request = Request::Serve;
    std::string listenAddress = "127.0.0.1";
    uint16_t port = 8080;
    std::string database = "sqlite:zentrix-board.sqlite";
    unsigned runsPerMinute = 20;
    bool behindProxy = false;
    unsigned requestSeconds = 10;
    uint32_t circuit = 0;  // for --pilot-run
    std::string problem;   // what is wrong with the command line, for Usage
};

BoardOptions parseBoardOptions(int argc, const char* const* argv);

void printBoardUsage(std::ostream& out);

constexpr int BOARD_USAGE_STATUS = 2;
