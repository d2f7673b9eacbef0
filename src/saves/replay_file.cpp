#include "saves/replay_file.h"

#include <algorithm>

namespace {

void putFixed(std::string& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

void putVarint(std::string& out, uint64_t value) {
    while (value >= 0x80) {
        out.push_back(static_cast<char>((value & 0x7F) | 0x80));
        value >>= 7;
    }
    out.push_back(static_cast<char>(value));
}

}  // namespace

bool operator==(const Replay& a, const Replay& b) {
    return a.gameVersion == b.gameVersion && a.circuit == b.circuit && a.seed == b.seed &&
           a.craftParts == b.craftParts && std::equal(a.lapMs, a.lapMs + 3, b.lapMs) &&
           a.raceMs == b.raceMs && a.finalStateHash == b.finalStateHash &&
           a.controls == b.controls && a.mode == b.mode && a.difficulty == b.difficulty;
}

std::string encodeReplay(const Replay& replay) {
    std::string out(REPLAY_MAGIC);
    const bool partsKnown = replay.craftParts && *replay.craftParts <= REPLAY_MAX_CRAFT_PARTS;
    putFixed(out, partsKnown ? REPLAY_FORMAT_VERSION : REPLAY_FORMAT_VERSION_WITHOUT_CRAFT_PARTS,
             4);
    // Lengths past what a field holds are cut to values that are refused.
    const std::size_t versionBytes = std::min<std::size_t>(replay.gameVersion.size(), 0xFF);
    putFixed(out, versionBytes, 1);
    out.append(replay.gameVersion, 0, versionBytes);
    putFixed(out, replay.circuit, 8);
    putFixed(out, replay.seed, 4);
    if (partsKnown) {
        putFixed(out, *replay.craftParts, 2);
        putFixed(out, static_cast<uint8_t>(replay.mode), 1);
        putFixed(out, static_cast<uint8_t>(replay.difficulty), 1);
    }
    putFixed(out, std::min<uint64_t>(replay.controls.size(), 0xFFFFFFFF), 4);
    for (const uint32_t lap : replay.lapMs) {
        putFixed(out, lap, 4);
    }
    putFixed(out, replay.raceMs, 4);
    putFixed(out, replay.finalStateHash, 8);

    std::string runs;
    uint64_t count = 0;
    for (std::size_t start = 0, end = 0; start < replay.controls.size(); start = end) {
        const ReplayControls these = replay.controls[start];
        while (end < replay.controls.size() && replay.controls[end] == these) {
            ++end;
        }
        putFixed(runs, these.bits, 1);
        putVarint(runs, end - start);
        ++count;
    }
    putVarint(out, count);
    return out + runs;
}
