// Writes a player's time trial for the board's end-to-end test: the pilot's
// drive of a circuit with one shot fired, which makes it a run of its own and
// not the pilot's, as a replay file on standard output.
// Usage: board_run_writer CIRCUIT VARIANT > run.zxr
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "support/harness/board_runs.h"

namespace {
bool readNumber(const char* text, unsigned long most, uint32_t& value) {
    char* end = nullptr;
    const unsigned long number = std::strtoul(text, &end, 10);
    if (*text < '0' || *text > '9' || *end != '\0' || number > most) {
        return false;
    }
    value = static_cast<uint32_t>(number);
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    uint32_t circuit = 0;
    uint32_t variant = 0;
    if (argc != 3 || !readNumber(argv[1], 0xFFFFFFFFul, circuit) ||
        !readNumber(argv[2], 100000, variant)) {
        std::fprintf(stderr, "usage: %s CIRCUIT VARIANT > run.zxr\n", argv[0]);
        return 2;
    }
    if (isatty(STDOUT_FILENO)) {
        std::fprintf(stderr, "%s: a replay is binary: send it to a file\n", argv[0]);
        return 2;
    }
    const std::string bytes = encodeReplay(testsupport::pilotVariant(circuit, variant));
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
        std::fflush(stdout) != 0) {
        std::perror("board_run_writer");
        return 1;
    }
    return 0;
}
