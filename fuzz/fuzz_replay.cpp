#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "saves/replay_file.h"

namespace {

// What the game writes for a replay read from bytes: the same bytes, but a
// version 2 or 3 file comes back as version 4: after the craft's parts a race
// byte (none was kept in version 2), then normal, how the opponents raced.
std::string rewritten(std::string_view bytes) {
    std::string expected(bytes);
    const auto version = static_cast<uint8_t>(expected[8]);
    if (version != REPLAY_FORMAT_VERSION_WITHOUT_MODE &&
        version != REPLAY_FORMAT_VERSION_WITHOUT_DIFFICULTY) {
        return expected;
    }
    expected[8] = static_cast<char>(REPLAY_FORMAT_VERSION);
    std::size_t at = 8 + 4 + 1 + static_cast<uint8_t>(expected[12]) + 8 + 4 + 2;
    if (version == REPLAY_FORMAT_VERSION_WITHOUT_MODE) {
        expected.insert(at, 1, static_cast<char>(RaceMode::Race));
    }
    ++at;
    expected.insert(at, 1, static_cast<char>(Difficulty::Normal));
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
