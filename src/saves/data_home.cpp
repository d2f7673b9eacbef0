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

// <$variable>/zentrix, or $HOME/<underHome>/zentrix when the variable names no
// absolute folder, or empty when HOME does not either.
std::string zentrixFolder(const char* variable, const char* underHome) {
    const std::string base = absoluteFromEnvironment(variable);
    if (!base.empty()) {
        return inside(base, "zentrix");
    }
    const std::string home = absoluteFromEnvironment("HOME");
    if (!home.empty()) {
        return inside(inside(home, underHome), "zentrix");
    }
    return std::string();
}

}  // namespace

std::string zentrixDataFolder() {
    return zentrixFolder("XDG_DATA_HOME", ".local/share");
}

std::string zentrixConfigFolder() {
    return zentrixFolder("XDG_CONFIG_HOME", ".config");
}

std::string zentrixReplayFolder() {
    const std::string data = zentrixDataFolder();
    return data.empty() ? data : data + "/replays";
}
