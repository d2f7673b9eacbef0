#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// An asset file opened for reading, accepted only when it is a regular file.
// It is opened without blocking, so a FIFO or a device in data/ can never hang
// the game, and its real size is known before anything is read.
class RegularFile {
public:
    RegularFile() = default;
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;
    ~RegularFile();

    // Finds path without regard to letter case and opens it; false when it is
    // missing, unreadable or not a regular file.
    bool open(const std::string& path);
    bool isOpen() const { return fd_ >= 0; }
    int descriptor() const { return fd_; }
    uint64_t size() const { return size_; }

    // Exactly count bytes from offset; false on a short read or an error.
    bool readAt(uint64_t offset, void* buffer, std::size_t count) const;

private:
    int fd_ = -1;
    uint64_t size_ = 0;
};
