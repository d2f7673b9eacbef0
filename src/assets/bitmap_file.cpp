#include <sys/stat.h>

#include <cstdio>
#include <new>
#include <vector>

#include "app/platform.h"
#include "assets/bitmap.h"
#include "assets/bmp_decoder.h"
#include "assets/file_lookup.h"

namespace {
// The whole file, or nothing when it cannot be opened or is empty (an empty
// file cannot be mapped either).
BitmapError readWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    const std::string found = findFileIgnoringCase(path);
    struct stat info;
    if (stat(found.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0) {
        return BitmapError::OpenFailed;
    }
    std::FILE* file = std::fopen(found.c_str(), "rb");
    if (file == nullptr) {
        return BitmapError::OpenFailed;
    }
    BitmapError result = BitmapError::None;
    try {
        bytes.resize(static_cast<std::size_t>(info.st_size));
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
        if (bytes.empty()) {
            result = BitmapError::OpenFailed;
        }
    } catch (const std::bad_alloc&) {
        result = BitmapError::OutOfMemory;
    }
    std::fclose(file);
    return result;
}
}  // namespace

std::unique_ptr<RgbImage> loadBitmapRgb(const std::string& path) {
    std::vector<uint8_t> bytes;
    auto image = std::make_unique<RgbImage>();
    BitmapError error = readWholeFile(path, bytes);
    if (error == BitmapError::None) {
        error = decodeBitmap(bytes.data(), bytes.size(), *image);
    }
    if (error == BitmapError::None) {
        return image;
    }
    if (error == BitmapError::OpenFailed) {
        const std::string text = "Failed to open DIB file " + path + ".\n";
        showMessageBox(text.c_str(), "Error", BoxOwner::GameWindow, BoxIcon::Error);
    } else {
        showMessageBox(bitmapErrorText(error), "Error", BoxOwner::GameWindow, BoxIcon::Error);
    }
    return nullptr;
}
