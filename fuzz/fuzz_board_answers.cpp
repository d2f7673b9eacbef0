#include <cstddef>
#include <cstdint>
#include <string>

#include "world/board_answers.h"

namespace {
bool printableLine(const std::string& text) {
    for (const char c : text) {
        if (c < ' ' || c > '~') {
            return false;
        }
    }
    return true;
}
}  // namespace

// A board's answer: the first byte picks its status, the rest is its body.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const long STATUSES[] = {200, 201, 400, 401, 409, 413, 422, 429, 503};
    BoardReply reply;
    reply.reached = true;
    reply.status = size == 0 ? 200 : STATUSES[data[0] % (sizeof STATUSES / sizeof STATUSES[0])];
    reply.body.assign(reinterpret_cast<const char*>(data) + (size == 0 ? 0 : 1),
                      size == 0 ? 0 : size - 1);

    // Whatever it holds, what reaches the screen is one printable line.
    const SentRun sent = readSentRun(reply);
    const WorldBoard board = readWorldBoard(reply);
    std::string problem;
    readCircuitOfTheDay(reply, problem);
    readPlayerRank(reply, 7);
    if (!printableLine(sent.reason) || !printableLine(board.problem) || !printableLine(problem) ||
        sent.token.size() > 256) {
        __builtin_trap();
    }
    for (const WorldRow& row : board.rows) {
        if (!printableLine(row.player) || row.player.size() > 24) {
            __builtin_trap();
        }
    }
    return 0;
}
