#include <cstddef>
#include <cstdint>
#include <string_view>

#include "saves/replay_file.h"

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
    // A race has exactly one file: what was read writes back byte for byte.
    if (!read.problem.empty() || encodeReplay(read.replay) != bytes) {
        __builtin_trap();
    }
    return 0;
}
