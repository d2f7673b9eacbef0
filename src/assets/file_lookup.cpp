#include "assets/file_lookup.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstddef>
#include <vector>

namespace {
bool exists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

bool equalIgnoringAsciiCase(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        char ca = a[i];
        char cb = b[i];
        if (ca >= 'A' && ca <= 'Z') {
            ca = static_cast<char>(ca - 'A' + 'a');
        }
        if (cb >= 'A' && cb <= 'Z') {
            cb = static_cast<char>(cb - 'A' + 'a');
        }
        if (ca != cb) {
            return false;
        }
    }
    return i == a.size() && b[i] == '\0';
}

// An entry of directory dir spelled like name in any case; an exact match wins.
bool findEntry(const std::string& dir, const std::string& name, std::string& found) {
    if (exists(dir.empty() ? name : dir + name)) {
        found = name;
        return true;
    }
    DIR* handle = opendir(dir.empty() ? "." : dir.c_str());
    if (handle == nullptr) {
        return false;
    }
    bool matched = false;
    while (const dirent* entry = readdir(handle)) {
        if (equalIgnoringAsciiCase(name, entry->d_name)) {
            found = entry->d_name;
            matched = true;
            break;
        }
    }
    closedir(handle);
    return matched;
}
}  // namespace

std::string findFileIgnoringCase(const std::string& path) {
    if (path.empty() || exists(path)) {
        return path;
    }
    std::vector<std::string> parts;
    std::string dir;
    std::size_t start = 0;
    if (path[0] == '/') {
        dir = "/";
        start = 1;
    }
    while (start <= path.size()) {
        const std::size_t slash = path.find('/', start);
        const std::size_t end = slash == std::string::npos ? path.size() : slash;
        parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string& part = parts[i];
        const bool last = i + 1 == parts.size();
        if (part.empty() || part == "." || part == "..") {
            // Repeated slashes and relative steps are kept as written.
            dir += part;
            if (!last) {
                dir += '/';
            }
            continue;
        }
        std::string found;
        if (!findEntry(dir, part, found)) {
            return path;
        }
        dir += found;
        if (!last) {
            dir += '/';
        }
    }
    return dir;
}
