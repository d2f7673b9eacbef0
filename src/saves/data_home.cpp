#include "saves/data_home.h"

#include <cstdlib>

namespace {

// Only absolute paths count; a relative one would follow the working directory.
std::string absoluteFromEnvironment(const char* variable) {
    const char* value = std::getenv(variable);
    if (value == nullptr || value[0] != '/') {
        return std::string();
    }
    std::string path = value;
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

std::string inside(const std::string& folder, const char* name) {
    return folder == "/" ? folder + name : folder + "/" + name;
}

}  // namespace

std::string zentrixDataFolder() {
    const std::string dataHome = absoluteFromEnvironment("XDG_DATA_HOME");
    if (!dataHome.empty()) {
        return inside(dataHome, "zentrix");
    }
    const std::string home = absoluteFromEnvironment("HOME");
    if (!home.empty()) {
        return inside(inside(inside(home, ".local"), "share"), "zentrix");
    }
    return std::string();
}

std::string zentrixReplayFolder() {
    const std::string data = zentrixDataFolder();
    return data.empty() ? data : data + "/replays";
}
