#include "board/run_check.h"

#include <cstdio>
#include <iostream>
#include <sstream>

#include "board/board_token.h"
#include "board/child_process.h"
#include "craft/opponent.h"
#include "session/replay_run.h"

namespace {
// Every opponent draws its colours at the grid, one for each part of its
// craft; the file says how many, so no model is read.
void flyCraftOfParts(uint32_t parts) {
    for (Opponent& opponent : gOpponents) {
        opponent.model.objects.assign(parts, MeshObject());
        opponent.model.objectCount = static_cast<int32_t>(parts);
    }
}

RunCheck refused(int status, std::string reason) {
    RunCheck check;
    check.status = status;
    check.reason = std::move(reason);
    return check;
}

// The child's line, or false when it is not one.
bool readRacedLine(const std::string& line, RunCheck& check, uint64_t& stateHash) {
    std::istringstream in(line);
    std::string word;
    in >> word >> check.raceMs >> check.lapMs[0] >> check.lapMs[1] >> check.lapMs[2] >> std::hex >>
        stateHash;
    return in && word == "raced";
}
}  // namespace

std::string controlsKeyOf(const Replay& replay) {
    std::string bits;
    bits.reserve(replay.controls.size());
    for (const ReplayControls controls : replay.controls) {
        bits += static_cast<char>(controls.bits);
    }
    return sha256Hex(bits);
}

RunCheck readRunFile(const std::string& bytes) {
    ReplayRead read = decodeReplay(bytes);
    if (read.status != ReplayStatus::Valid) {
        return refused(400, "not a replay: " + read.problem);
    }
    if (read.replay.mode != RaceMode::TimeTrial) {
        return refused(422, "a race, not a time trial: the board counts time trials only");
    }
    if (!read.replay.craftParts) {
        return refused(422, "a replay of format version 1, which the board cannot race again");
    }
    RunCheck check;
    check.replay = std::move(read.replay);
    return check;
}

RunCheck checkRun(const std::string& bytes, const std::string& childProgram) {
    RunCheck read = readRunFile(bytes);
    if (read.status != 0) {
        return read;
    }
    const Replay& replay = read.replay;
    const ChildResult child = runChild(childProgram, {childProgram, "--check-run"}, bytes, {});
    if (!child.exited || child.exitStatus != 0) {
        return refused(422, child.timedOut ? "the run could not be raced again in time"
                                           : "the run could not be raced again");
    }
    RunCheck check;
    uint64_t stateHash = 0;
    if (!readRacedLine(child.output, check, stateHash)) {
        return refused(422, "the run could not be raced again");
    }
    if (check.raceMs == 0) {
        return refused(422, "not a finished time trial of three laps");
    }
    if (stateHash != replay.finalStateHash) {
        return refused(422, "does not verify: raced again, it ends otherwise than the file says");
    }
    check.replay = replay;
    check.controlsKey = controlsKeyOf(replay);
    return check;
}

int checkRunInThisProcess(std::istream& in, std::ostream& out) {
    std::string bytes(RUN_FILE_MAX_BYTES + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(in.gcount()));
    const ReplayRead read = decodeReplay(bytes);
    if (bytes.size() > RUN_FILE_MAX_BYTES || read.status != ReplayStatus::Valid ||
        !read.replay.craftParts) {
        return 1;
    }
    flyCraftOfParts(*read.replay.craftParts);
    const ReplayRun run = runReplay(read.replay);
    char line[128];
    std::snprintf(line, sizeof line, "raced %u %u %u %u %016llx\n", run.raceMs, run.lapMs[0],
                  run.lapMs[1], run.lapMs[2], static_cast<unsigned long long>(run.finalStateHash));
    out << line;
    out.flush();
    return out ? 0 : 1;
}
