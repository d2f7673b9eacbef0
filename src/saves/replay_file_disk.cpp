#include "saves/replay_file.h"

#include <string>

#include "saves/saved_file.h"

std::string bestReplayName(uint32_t circuit, RaceMode mode, Difficulty difficulty) {
    std::string kind = "best-";
    if (mode == RaceMode::TimeTrial) {
        kind += "time-trial-";
    } else if (difficulty != Difficulty::Normal) {
        kind += difficultyName(difficulty) + std::string("-");
    }
    return kind + std::to_string(circuit) + ".zxr";
}

ReplayRead readReplayFile(const std::string& path) {
    ReplayRead read;
    std::string bytes;
    std::string failure;
    switch (readSmallFile(path, REPLAY_FILE_MAX_BYTES, bytes, failure)) {
        case SmallFileRead::Missing:
            read.status = ReplayStatus::Missing;
            read.problem = "no replay at " + path;
            return read;
        case SmallFileRead::Unreadable:
            read.status = ReplayStatus::Unreadable;
            read.problem = failure;
            return read;
        case SmallFileRead::TooLarge:
            read.problem = path + " is " + failure + ", more than any replay";
            return read;
        case SmallFileRead::Read:
            break;
    }
    read = decodeReplay(bytes);
    if (read.status != ReplayStatus::Valid) {
        read.problem = path + ": " + read.problem;
    }
    return read;
}

bool writeReplayFile(const std::string& folder, const std::string& name, const Replay& replay,
                     std::string& failure) {
    const std::string bytes = encodeReplay(replay);
    const ReplayRead check = decodeReplay(bytes);
    if (check.status != ReplayStatus::Valid) {
        failure = "cannot write " + folder + "/" + name + ": " + check.problem;
        return false;
    }
    // Only a file that keeps the craft's parts says what was run.
    if (check.replay.mode != replay.mode) {
        failure = "cannot write " + folder + "/" + name + ": a " + raceModeName(replay.mode) +
                  " is kept only with its craft parts known, at most " +
                  std::to_string(REPLAY_MAX_CRAFT_PARTS);
        return false;
    }
    if (check.replay.difficulty != replay.difficulty) {
        failure = "cannot write " + folder + "/" + name + ": a race at " +
                  difficultyName(replay.difficulty) +
                  " is kept only with its craft parts known, at most " +
                  std::to_string(REPLAY_MAX_CRAFT_PARTS);
        return false;
    }
    return createFolders(folder, failure) && writeFileAtomically(folder, name, bytes, failure);
}
