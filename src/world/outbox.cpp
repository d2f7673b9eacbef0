#include "world/outbox.h"

#include <algorithm>
#include <filesystem>

#include "saves/data_home.h"

std::string outboxFolder() {
    const std::string folder = zentrixDataFolder();
    return folder.empty() ? "" : folder + "/outbox";
}

bool keepInOutbox(const Replay& run, std::string& failure) {
    const std::string folder = outboxFolder();
    if (folder.empty()) {
        failure = "no data folder to keep runs for the board in";
        return false;
    }
    return writeReplayFile(folder, "time-trial-" + std::to_string(run.circuit) + ".zxr", run,
                           failure);
}

std::vector<std::string> outboxFiles() {
    std::vector<std::string> files;
    std::error_code error;
    const std::string folder = outboxFolder();
    if (folder.empty()) {
        return files;
    }
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file(error) && name.rfind("time-trial-", 0) == 0 &&
            entry.path().extension() == ".zxr") {
            files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

void removeFromOutbox(const std::string& path) {
    std::error_code error;
    std::filesystem::remove(path, error);
}
