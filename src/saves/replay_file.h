// saves: everything kept on disk between runs, written whole or not at all; no GL, SDL or OpenAL.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "saves/difficulty.h"
#include "saves/race_mode.h"

// A race kept as a replay: what it was raced on and the player's controls at
// every tick, from which the race runs again exactly as it was. Replays are
// files players send each other, so reading one trusts nothing in it.
//
// The .zxr file, little-endian, each field straight after the one before:
//
//   8 bytes  "ZENTRIXR"
//   u32      format version, 4 (1 to 3 are still read)
//   u8       length of the game version text, 0 to 32
//   ...      that text, printable ASCII (0x20 to 0x7E), e.g. "1.0.0"
//   u64      circuit number, 0 (the classic) to 4294967295
//   u32      the race's random seed
//   u16      parts of the opponents' craft (versions 2 to 4): each part
//            draws its colour from the race's random numbers at the grid
//   u8       what was run (versions 3 and 4): 0 a race, 1 a time trial; older
//            files are races
//   u8       how hard the opponents raced (version 4 only): 0 easy, 1 normal,
//            2 hard; older files are normal
//   u32      tick count, 60 a second, at most 216000 (one hour)
//   3 x u32  lap times in ms, 0 for a lap not run
//   u32      race time in ms, 0 when not run
//   u64      hash of the race's state after the last tick
//   varint   run count
//   runs     each: u8 controls, varint ticks
//
// A run is a stretch of ticks with the same controls: bit 0 accelerate,
// 1 brake, 2 left, 3 right, 4 fire, the others 0. It lasts at least one tick
// and its controls differ from the run before; the runs add up to the tick
// count, and nothing follows the last. Varints are unsigned LEB128, seven bits
// a byte, lowest first, in as few bytes as their value needs. So every race
// has exactly one file in the version written, and that file is at most
// REPLAY_FILE_MAX_BYTES.

struct ReplayControls {
    static constexpr uint8_t ACCELERATE = 1u << 0;
    static constexpr uint8_t BRAKE = 1u << 1;
    static constexpr uint8_t LEFT = 1u << 2;
    static constexpr uint8_t RIGHT = 1u << 3;
    static constexpr uint8_t FIRE = 1u << 4;
    static constexpr uint8_t ALL = 0x1F;

    uint8_t bits = 0;

    bool has(uint8_t control) const { return (bits & control) != 0; }
    bool operator==(ReplayControls other) const { return bits == other.bits; }
    bool operator!=(ReplayControls other) const { return bits != other.bits; }
};

constexpr std::string_view REPLAY_MAGIC = "ZENTRIXR";
constexpr uint32_t REPLAY_FORMAT_VERSION = 4;
// Version 1 does not say how many parts the opponents' craft had.
constexpr uint32_t REPLAY_FORMAT_VERSION_WITHOUT_CRAFT_PARTS = 1;
// Version 2 says so, but not whether it was a race or a time trial.
constexpr uint32_t REPLAY_FORMAT_VERSION_WITHOUT_MODE = 2;
// Version 3 says what was run, but not how hard the opponents raced.
constexpr uint32_t REPLAY_FORMAT_VERSION_WITHOUT_DIFFICULTY = 3;
constexpr uint32_t REPLAY_MAX_CRAFT_PARTS = 0xFFFF;
constexpr std::size_t REPLAY_GAME_VERSION_MAX_BYTES = 32;
constexpr uint32_t REPLAY_MAX_TICKS = 60 * 60 * 60;  // one hour at 60 ticks a second
// An hour of controls changing every tick takes 432 KB; nothing longer is read.
constexpr std::size_t REPLAY_FILE_MAX_BYTES = 1024 * 1024;

constexpr const char* LAST_REPLAY_NAME = "last.zxr";

struct Replay {
    std::string gameVersion;  // the version of the game that raced it
    uint32_t circuit = 0;
    uint32_t seed = 0;
    uint32_t lapMs[3] = {};
    uint32_t raceMs = 0;
    uint64_t finalStateHash = 0;
    std::vector<ReplayControls> controls;  // one for each tick run, in order
    // How many colours each opponent drew at the grid; unknown in a version 1
    // file, and then the race runs again only with the game's own craft loaded.
    std::optional<uint32_t> craftParts;
    RaceMode mode = RaceMode::Race;
    Difficulty difficulty = Difficulty::Normal;
};

bool operator==(const Replay& a, const Replay& b);

enum class ReplayStatus { Valid, Missing, Unreadable, NotAReplay, OtherVersion, Damaged };

struct ReplayRead {
    ReplayStatus status = ReplayStatus::Damaged;
    Replay replay;        // empty unless Valid
    std::string problem;  // why it is refused, one line for the player; empty when Valid
};

// The file's bytes. A game version over 32 bytes, or more than an hour of
// controls, is written as it is and refused when read back. A replay whose
// craft parts are unknown, or more than a u16 holds, is written as version 1,
// which says nothing of its mode or difficulty and so reads back as a race at
// normal.
std::string encodeReplay(const Replay& replay);

ReplayRead decodeReplay(std::string_view bytes);

// The replay kept as the best run of that mode on circuit: "best-<circuit>.zxr"
// for a race at normal, "best-easy-<circuit>.zxr" and "best-hard-<circuit>.zxr"
// for the others, "best-time-trial-<circuit>.zxr" for a time trial at any
// difficulty, as no opponents are on the road.
std::string bestReplayName(uint32_t circuit, RaceMode mode = RaceMode::Race,
                           Difficulty difficulty = Difficulty::Normal);

// Reads the replay at path, a regular file (or a link to one) of at most
// REPLAY_FILE_MAX_BYTES; anything else is refused without being read. The
// problem names the path.
ReplayRead readReplayFile(const std::string& path);

// Writes folder/name in one step, creating folder as createFolders does. A
// replay that would not read back, or would read back as another mode or
// difficulty, is not written.
bool writeReplayFile(const std::string& folder, const std::string& name, const Replay& replay,
                     std::string& failure);
