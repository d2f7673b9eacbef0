#include "saves/saved_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

std::string describe(const std::string& action, const std::string& path, int error) {
    return action + " " + path + ": " + std::strerror(error);
}

bool writeAll(int fd, const std::string& contents) {
    size_t done = 0;
    while (done < contents.size()) {
        const ssize_t written = ::write(fd, contents.data() + done, contents.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = EIO;
            }
            return false;
        }
        done += static_cast<size_t>(written);
    }
    return true;
}

// The writer's process id from "<name>.tmp-<pid>", or 0 when entry is not one.
pid_t temporaryOwner(const char* entry, const std::string& prefix) {
    if (std::strncmp(entry, prefix.c_str(), prefix.size()) != 0) {
        return 0;
    }
    const char* digits = entry + prefix.size();
    const size_t length = std::strlen(digits);
    if (length == 0 || length > 9 || std::strspn(digits, "0123456789") != length) {
        return 0;
    }
    return static_cast<pid_t>(std::atol(digits));
}

// A temporary whose writer has gone, or that carries our own id (a leftover of
// an earlier run given the same id), can never be renamed into place: remove it.
void removeAbandonedTemporaries(const std::string& folder, const std::string& prefix) {
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    while (const dirent* entry = readdir(dir)) {
        const pid_t owner = temporaryOwner(entry->d_name, prefix);
        if (owner > 0 && (owner == getpid() || (kill(owner, 0) != 0 && errno == ESRCH))) {
            unlinkat(dirfd(dir), entry->d_name, 0);
        }
    }
    closedir(dir);
}

// The rename is only durable once the folder's entry is on disk. Some file
// systems cannot sync a folder; the new file is in place by then either way.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        ::close(fd);
    }
}

}  // namespace

SmallFileRead readSmallFile(const std::string& path, std::size_t maxBytes, std::string& text,
                            std::string& failure) {
    text.clear();
    // O_NONBLOCK: a FIFO put in the file's place must not hang the game.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            return SmallFileRead::Missing;
        }
        failure = describe("cannot open", path, errno);
        return SmallFileRead::Unreadable;
    }
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        failure = path + " is not a regular file";
        return SmallFileRead::Unreadable;
    }
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            failure = describe("cannot read", path, errno);
            ::close(fd);
            return SmallFileRead::Unreadable;
        }
        if (got == 0) {
            break;
        }
        text.append(buffer, static_cast<size_t>(got));
        if (text.size() > maxBytes) {
            ::close(fd);
            failure = "larger than " + std::to_string(maxBytes) + " bytes";
            return SmallFileRead::TooLarge;
        }
    }
    ::close(fd);
    return SmallFileRead::Read;
}

bool createFolders(const std::string& folder, std::string& failure) {
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (!part.empty() && part.back() != '/' && mkdir(part.c_str(), 0700) != 0 &&
            errno != EEXIST) {
            failure = describe("cannot create", part, errno);
            return false;
        }
        if (slash == std::string::npos) {
            break;
        }
    }
    struct stat info;
    if (stat(folder.c_str(), &info) != 0) {
        failure = describe("cannot reach", folder, errno);
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        failure = folder + " is not a folder";
        return false;
    }
    return true;
}

bool writeFileAtomically(const std::string& folder, const std::string& name,
                         const std::string& contents, std::string& failure) {
    const std::string prefix = name + ".tmp-";
    removeAbandonedTemporaries(folder, prefix);

    const std::string path = folder + "/" + name;
    const std::string temporary = folder + "/" + prefix + std::to_string(getpid());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        failure = describe("cannot create", temporary, errno);
        return false;
    }
    bool written = writeAll(fd, contents) && fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written) {
        failure = describe("cannot write", temporary, error);
        unlink(temporary.c_str());
        return false;
    }
    if (rename(temporary.c_str(), path.c_str()) != 0) {
        failure = describe("cannot replace", path, errno);
        unlink(temporary.c_str());
        return false;
    }
    syncFolder(folder);
    return true;
}

std::string moveAside(const std::string& path, const std::string& label, std::time_t now,
                      std::string& failure) {
    std::tm utc{};
    gmtime_r(&now, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &utc);
    const std::string base = path + "." + label + "-" + stamp;
    for (int copy = 1; copy <= 1000; ++copy) {
        const std::string aside = copy == 1 ? base : base + "-" + std::to_string(copy);
        // RENAME_NOREPLACE: a plain rename would silently replace an earlier one.
        if (renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE) == 0) {
            return aside;
        }
        if (errno != EEXIST) {
            failure = describe("cannot move aside", path, errno);
            return std::string();
        }
    }
    failure = "cannot move aside " + path + ": too many copies kept already";
    return std::string();
}
