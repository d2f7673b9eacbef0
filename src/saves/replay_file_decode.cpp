#include "saves/replay_file.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <utility>

namespace {

constexpr std::size_t VARINT_MAX_BYTES = 10;  // 64 bits, seven a byte
constexpr uint64_t MAX_CIRCUIT = std::numeric_limits<uint32_t>::max();

// Reads the fields in order, never past the end; the first fault found is the
// one told.
class FieldReader {
public:
    explicit FieldReader(std::string_view bytes) : bytes_(bytes) {}

    std::size_t left() const { return bytes_.size() - at_; }
    std::string problem() const { return problem_; }

    bool fail(const std::string& problem) {
        problem_ = problem;
        return false;
    }

    bool truncatedIn(const std::string& field) {
        return fail("truncated: the file ends within the " + field);
    }

    bool fixed(std::size_t bytes, const std::string& field, uint64_t& value) {
        if (left() < bytes) {
            return truncatedIn(field);
        }
        value = 0;
        for (std::size_t i = 0; i < bytes; ++i) {
            value |= static_cast<uint64_t>(byte(at_ + i)) << (8 * i);
        }
        at_ += bytes;
        return true;
    }

    bool u32(const std::string& field, uint32_t& value) {
        uint64_t wide = 0;
        const bool read = fixed(4, field, wide);
        value = static_cast<uint32_t>(wide);
        return read;
    }

    bool text(std::size_t bytes, const std::string& field, std::string& value) {
        if (left() < bytes) {
            return truncatedIn(field);
        }
        value.assign(bytes_.substr(at_, bytes));
        at_ += bytes;
        return true;
    }

    bool varint(const std::string& field, uint64_t& value) {
        value = 0;
        for (std::size_t i = 0;; ++i) {
            if (left() == 0) {
                return truncatedIn(field);
            }
            const uint8_t next = byte(at_++);
            if (i == VARINT_MAX_BYTES - 1 && next > 1) {
                return fail("the " + field + " is a varint too long for 64 bits");
            }
            value |= static_cast<uint64_t>(next & 0x7F) << (7 * i);
            if ((next & 0x80) == 0) {
                if (next == 0 && i > 0) {
                    return fail("the " + field + " is a varint with needless bytes");
                }
                return true;
            }
        }
    }

private:
    uint8_t byte(std::size_t at) const { return static_cast<uint8_t>(bytes_[at]); }

    std::string_view bytes_;
    std::size_t at_ = 0;
    std::string problem_;
};

std::string hexByte(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02x", value);
    return text;
}

bool readGameVersion(FieldReader& in, std::string& version) {
    uint64_t length = 0;
    if (!in.fixed(1, "game version", length)) {
        return false;
    }
    if (length > REPLAY_GAME_VERSION_MAX_BYTES) {
        return in.fail("the game version is " + std::to_string(length) + " bytes long; at most " +
                       std::to_string(REPLAY_GAME_VERSION_MAX_BYTES) + " are allowed");
    }
    if (!in.text(length, "game version", version)) {
        return false;
    }
    for (const char c : version) {
        if (c < 0x20 || c > 0x7E) {
            return in.fail("the game version holds " + hexByte(static_cast<uint8_t>(c)) +
                           ", not printable text");
        }
    }
    return true;
}

bool readRuns(FieldReader& in, uint32_t ticks, std::vector<ReplayControls>& controls) {
    uint64_t runs = 0;
    if (!in.varint("run count", runs)) {
        return false;
    }
    // Every run takes two bytes at least: check before reading any.
    if (runs > in.left() / 2) {
        return in.fail("truncated: " + std::to_string(runs) + " runs cannot fit in the " +
                       std::to_string(in.left()) + " bytes left");
    }
    uint32_t sum = 0;
    for (uint64_t run = 1; run <= runs; ++run) {
        const std::string name = "run " + std::to_string(run);
        uint64_t bits = 0;
        uint64_t length = 0;
        if (!in.fixed(1, "controls of " + name, bits) || !in.varint("length of " + name, length)) {
            return false;
        }
        const ReplayControls these{static_cast<uint8_t>(bits)};
        if ((bits & ~uint64_t{ReplayControls::ALL}) != 0) {
            return in.fail("the controls of " + name + " (" + hexByte(static_cast<unsigned>(bits)) +
                           ") set bits beyond the five controls");
        }
        if (run > 1 && these == controls.back()) {
            return in.fail("runs " + std::to_string(run - 1) + " and " + std::to_string(run) +
                           " hold the same controls");
        }
        if (length == 0) {
            return in.fail(name + " lasts no ticks");
        }
        // sum never exceeds ticks, so this cannot overflow.
        if (length > ticks - sum) {
            return in.fail("the runs add up to more than the " + std::to_string(ticks) +
                           " ticks counted");
        }
        sum += static_cast<uint32_t>(length);
        controls.insert(controls.end(), static_cast<std::size_t>(length), these);
    }
    if (sum != ticks) {
        return in.fail("the runs add up to " + std::to_string(sum) + " ticks, not the " +
                       std::to_string(ticks) + " counted");
    }
    return true;
}

bool readMode(FieldReader& in, RaceMode& mode) {
    uint64_t value = 0;
    if (!in.fixed(1, "mode", value)) {
        return false;
    }
    if (value != static_cast<uint8_t>(RaceMode::Race) &&
        value != static_cast<uint8_t>(RaceMode::TimeTrial)) {
        return in.fail("mode " + hexByte(static_cast<unsigned>(value)) +
                       " is neither a race (0) nor a time trial (1)");
    }
    mode = static_cast<RaceMode>(value);
    return true;
}

bool readDifficulty(FieldReader& in, Difficulty& difficulty) {
    uint64_t value = 0;
    if (!in.fixed(1, "difficulty", value)) {
        return false;
    }
    if (value >= static_cast<uint64_t>(DIFFICULTY_COUNT)) {
        return in.fail("difficulty " + hexByte(static_cast<unsigned>(value)) +
                       " is none of easy (0), normal (1) or hard (2)");
    }
    difficulty = static_cast<Difficulty>(value);
    return true;
}

bool readAfterVersion(FieldReader& in, uint32_t version, Replay& replay) {
    uint64_t circuit = 0;
    uint32_t ticks = 0;
    if (!readGameVersion(in, replay.gameVersion) || !in.fixed(8, "circuit number", circuit)) {
        return false;
    }
    if (circuit > MAX_CIRCUIT) {
        return in.fail("circuit number " + std::to_string(circuit) +
                       " is out of range (0 to 4294967295)");
    }
    replay.circuit = static_cast<uint32_t>(circuit);
    if (!in.u32("seed", replay.seed)) {
        return false;
    }
    if (version != REPLAY_FORMAT_VERSION_WITHOUT_CRAFT_PARTS) {
        uint64_t parts = 0;
        if (!in.fixed(2, "craft parts", parts)) {
            return false;
        }
        replay.craftParts = static_cast<uint32_t>(parts);
    }
    if (version >= REPLAY_FORMAT_VERSION_WITHOUT_DIFFICULTY && !readMode(in, replay.mode)) {
        return false;
    }
    if (version == REPLAY_FORMAT_VERSION && !readDifficulty(in, replay.difficulty)) {
        return false;
    }
    if (!in.u32("tick count", ticks)) {
        return false;
    }
    if (ticks > REPLAY_MAX_TICKS) {
        return in.fail(std::to_string(ticks) + " ticks is longer than one hour (" +
                       std::to_string(REPLAY_MAX_TICKS) + " ticks)");
    }
    if (!in.u32("lap times", replay.lapMs[0]) || !in.u32("lap times", replay.lapMs[1]) ||
        !in.u32("lap times", replay.lapMs[2]) || !in.u32("race time", replay.raceMs) ||
        !in.fixed(8, "state hash", replay.finalStateHash) ||
        !readRuns(in, ticks, replay.controls)) {
        return false;
    }
    if (in.left() > 0) {
        const std::size_t stray = in.left();
        return in.fail(std::to_string(stray) + (stray == 1 ? " stray byte" : " stray bytes") +
                       " after the last run");
    }
    return true;
}

}  // namespace

ReplayRead decodeReplay(std::string_view bytes) {
    ReplayRead read;
    const std::size_t magicBytes = std::min(bytes.size(), REPLAY_MAGIC.size());
    if (bytes.substr(0, magicBytes) != REPLAY_MAGIC.substr(0, magicBytes) || bytes.empty()) {
        read.status = ReplayStatus::NotAReplay;
        read.problem = "not a Zentrix replay (it does not start with ZENTRIXR)";
        return read;
    }
    FieldReader in(bytes);
    std::string magic;
    uint32_t version = 0;
    if (!in.text(REPLAY_MAGIC.size(), "magic", magic) || !in.u32("format version", version)) {
        read.problem = in.problem();
        return read;
    }
    if (version < REPLAY_FORMAT_VERSION_WITHOUT_CRAFT_PARTS || version > REPLAY_FORMAT_VERSION) {
        read.status = ReplayStatus::OtherVersion;
        read.problem = "replay format version " + std::to_string(version) +
                       "; this game reads versions " +
                       std::to_string(REPLAY_FORMAT_VERSION_WITHOUT_CRAFT_PARTS) + " to " +
                       std::to_string(REPLAY_FORMAT_VERSION);
        return read;
    }
    Replay replay;
    if (!readAfterVersion(in, version, replay)) {
        read.problem = in.problem();
        return read;
    }
    read.status = ReplayStatus::Valid;
    read.replay = std::move(replay);
    return read;
}
