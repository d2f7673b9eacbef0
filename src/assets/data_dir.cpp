#include "assets/data_dir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>

#include "assets/file_lookup.h"

namespace {
constexpr const char* GAME_DATA_PREFIX = "data/";
constexpr const char* MODEL_FILE_NAME = "nau.ase";

std::string gDataFolder = "data";

std::string withoutTrailingSlashes(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder;
}

std::string parentFolder(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}
}  // namespace

std::vector<DataFolderCandidate> dataFolderCandidates(const char* overrideFolder,
                                                      const std::string& executablePath) {
    std::vector<DataFolderCandidate> candidates;
    if (overrideFolder != nullptr && overrideFolder[0] != '\0') {
        candidates.push_back({withoutTrailingSlashes(overrideFolder), "ZENTRIX_DATA_DIR"});
    }
    candidates.push_back({"data", "the working directory"});
    if (!executablePath.empty()) {
        const std::string installed =
            parentFolder(executablePath) + "/" + ZENTRIX_INSTALLED_DATA_FROM_BINDIR;
        candidates.push_back({lexicallyNormal(installed), "installed beside " + executablePath});
    }
    return candidates;
}

bool holdsGameData(const std::string& folder) {
    // Any entry by the model's name marks the game's folder; whether it is a
    // model the game can use is the model loader's to say, in its own box.
    const std::string model = findFileIgnoringCase(folder + "/" + MODEL_FILE_NAME);
    struct stat info;
    return lstat(model.c_str(), &info) == 0;
}

std::optional<std::string> findDataFolder(const std::vector<DataFolderCandidate>& candidates) {
    for (const DataFolderCandidate& candidate : candidates) {
        if (holdsGameData(candidate.folder)) {
            return candidate.folder;
        }
    }
    return std::nullopt;
}

std::string executableRealPath() {
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer) {
        return "";
    }
    return std::string(buffer, static_cast<std::size_t>(length));
}

std::string lexicallyNormal(const std::string& path) {
    const bool absolute = !path.empty() && path[0] == '/';
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t slash = path.find('/', start);
        if (slash == std::string::npos) {
            slash = path.size();
        }
        const std::string part = path.substr(start, slash - start);
        if (part == "..") {
            if (!parts.empty() && parts.back() != "..") {
                parts.pop_back();
            } else if (!absolute) {
                parts.push_back(part);
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = slash + 1;
    }
    std::string normal = absolute ? "/" : "";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        normal += (i == 0 ? "" : "/") + parts[i];
    }
    return normal.empty() ? "." : normal;
}

void setDataFolder(const std::string& folder) {
    gDataFolder = withoutTrailingSlashes(folder);
}

std::string dataPath(const std::string& gamePath) {
    const std::string prefix = GAME_DATA_PREFIX;
    if (gamePath.compare(0, prefix.size(), prefix) != 0) {
        return gamePath;
    }
    return gDataFolder + "/" + gamePath.substr(prefix.size());
}
