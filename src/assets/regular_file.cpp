#include "assets/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "assets/file_lookup.h"

RegularFile::~RegularFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool RegularFile::open(const std::string& path) {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    const std::string found = findFileIgnoringCase(path);
    // O_NONBLOCK: opening a FIFO with no writer would otherwise wait for ever.
    const int fd = ::open(found.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0) {
        ::close(fd);
        return false;
    }
    // Regular files never block; clear the flag so reads behave as usual.
    const int flags = fcntl(fd, F_GETFL);
    if (flags >= 0) {
        fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
    fd_ = fd;
    size_ = static_cast<uint64_t>(info.st_size);
    return true;
}

bool RegularFile::readAt(uint64_t offset, void* buffer, std::size_t count) const {
    if (fd_ < 0 || offset > size_ || count > size_ - offset) {
        return false;
    }
    auto* out = static_cast<unsigned char*>(buffer);
    while (count > 0) {
        const ssize_t got = ::pread(fd_, out, count, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        out += got;
        offset += static_cast<uint64_t>(got);
        count -= static_cast<std::size_t>(got);
    }
    return true;
}
