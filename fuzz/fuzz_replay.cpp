#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "saves/replay_file.h"

namespace {

// What the game writes for a replay read from bytes: the same bytes, but a
// version 2 file comes back as version 3, a race byte after the craft's parts.
std::string rewritten(std::string_view bytes) {
    std::string expected(bytes);
    if (static_cast<uint8_t>(expected[8]) != REPLAY_FORMAT_VERSION_WITHOUT_MODE) {
        return expected;
    }
    expected[8] = static_cast<char>(REPLAY_FORMAT_VERSION);
    const std::size_t partsEnd = 8 + 4 + 1 + static_cast<uint8_t>(expected[12]) + 8 + 4 + 2;
    expected.insert(partsEnd, 1, static_cast<char>(RaceMode::Race));
    return expected;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ReplayRead read = decodeReplay(bytes);
    if (read.status != ReplayStatus::Valid) {
        // A refusal says why in one line and keeps nothing of the file.
        if (read.problem.empty() || read.problem.find('\n') != std::string::npos ||
            !(read.replay == Replay{})) {
            __builtin_trap();
        }
        return 0;
    }
    // A race has exactly one file in each version: what was read writes back
    // byte for byte, or as the newer version of the same race.
    if (!read.problem.empty() || encodeReplay(read.replay) != rewritten(bytes)) {
        __builtin_trap();
    }
    return 0;
}
