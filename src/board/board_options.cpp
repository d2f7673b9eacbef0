#include "board/board_options.h"

#include "board/decimal_text.h"

#include <cstring>
#include <optional>
#include <ostream>

namespace {
bool isNumber(const char* text, unsigned long long most, unsigned long long& value) {
    const std::optional<uint32_t> read = text == nullptr ? std::nullopt : decimalIn(text, most);
    value = read.value_or(0);
    return read.has_value();
}

// "HOST:PORT"; the host is an IPv4 address.
bool readListen(const std::string& text, BoardOptions& options) {
    const size_t colon = text.rfind(':');
    unsigned long long port = 0;
    if (colon == std::string::npos || colon == 0 ||
        !isNumber(text.c_str() + colon + 1, 65535, port)) {
        return false;
    }
    options.listenAddress = text.substr(0, colon);
    options.port = static_cast<uint16_t>(port);
    return true;
}

BoardOptions usage(const std::string& problem) {
    BoardOptions options;
    options.request = BoardOptions::Request::Usage;
    options.problem = problem;
    return options;
}
}  // namespace

BoardOptions parseBoardOptions(int argc, const char* const* argv) {
    BoardOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        unsigned long long number = 0;
        if (option == "--help" || option == "-h") {
            options.request = BoardOptions::Request::Help;
        } else if (option == "--version") {
            options.request = BoardOptions::Request::Version;
        } else if (option == "--behind-proxy") {
            options.behindProxy = true;
        } else if (option == "--check-run") {
            options.request = BoardOptions::Request::CheckRun;
        } else if (value == nullptr) {
            return usage(option + " is not an option, or needs a value");
        } else if (option == "--listen") {
            if (!readListen(value, options)) {
                return usage("--listen takes ADDRESS:PORT, as in 127.0.0.1:8080");
            }
            ++i;
        } else if (option == "--database") {
            options.database = value;
            ++i;
        } else if (option == "--runs-per-minute") {
            if (!isNumber(value, 1000000, number) || number == 0) {
                return usage("--runs-per-minute takes a number from 1");
            }
            options.runsPerMinute = static_cast<unsigned>(number);
            ++i;
        } else if (option == "--request-seconds") {
            if (!isNumber(value, 3600, number) || number == 0) {
                return usage("--request-seconds takes a number of seconds from 1");
            }
            options.requestSeconds = static_cast<unsigned>(number);
            ++i;
        } else if (option == "--pilot-run") {
            if (!isNumber(value, 0xFFFFFFFFull, number)) {
                return usage("--pilot-run takes a circuit number");
            }
            options.request = BoardOptions::Request::PilotRun;
            options.circuit = static_cast<uint32_t>(number);
            ++i;
        } else {
            return usage(option + " is not an option");
        }
    }
    return options;
}

void printBoardUsage(std::ostream& out) {
    out << "usage: zentrix-board [--listen ADDRESS:PORT] [--database DATABASE]\n"
           "                     [--runs-per-minute N] [--request-seconds N] [--behind-proxy]\n"
           "\n"
           "The world board: time trials sent as replays are raced again and only\n"
           "those that verify are kept and ranked, one board per circuit.\n"
           "\n"
           "  --listen ADDRESS:PORT  where to serve HTTP (default 127.0.0.1:8080)\n"
           "  --database DATABASE    sqlite:PATH (default sqlite:zentrix-board.sqlite)\n"
           "                         or postgresql://USER@HOST/NAME\n"
           "  --runs-per-minute N    runs taken from one address a minute (default 20)\n"
           "  --request-seconds N    time a request has to arrive whole (default 10)\n"
           "  --behind-proxy         take the sender's address from X-Forwarded-For\n";
}
