#include "images/bitmap_file.h"

#include <new>
#include <string>

#include "assets/player_messages.h"
#include "assets/regular_file.h"
#include "images/bitmap.h"
#include "images/bmp_decoder.h"

namespace {
class FileSource : public BitmapSource {
public:
    explicit FileSource(const RegularFile& file) : file_(file) {}
    uint64_t size() const override { return file_.size(); }
    bool readAt(uint64_t offset, void* buffer, std::size_t count) const override {
        return file_.readAt(offset, buffer, count);
    }

private:
    const RegularFile& file_;
};

// Only what the headers ask for is read: never the whole file.
BitmapError readBitmap(const std::string& path, uint64_t maxBytes, RgbImage& image) {
    RegularFile file;
    if (!file.open(path)) {
        return BitmapError::OpenFailed;
    }
    return decodeBitmap(FileSource(file), image, maxBytes);
}

// The picture, or null and why not.
std::unique_ptr<RgbImage> readBitmapOrSayWhy(const std::string& path, uint64_t maxBytes,
                                             BitmapError& error) {
    try {
        auto image = std::make_unique<RgbImage>();
        error = readBitmap(path, maxBytes, *image);
        if (error == BitmapError::None) {
            return image;
        }
    } catch (const std::bad_alloc&) {
        error = BitmapError::OutOfMemory;
    }
    return nullptr;
}

void showBitmapError(const std::string& path, BitmapError error) {
    const char* text = bitmapErrorText(error);
    std::string openFailed;
    if (error == BitmapError::OpenFailed) {
        try {
            openFailed = "Failed to open DIB file " + path + ".\n";
            text = openFailed.c_str();
        } catch (const std::bad_alloc&) {
            text = bitmapErrorText(BitmapError::OutOfMemory);
        }
    }
    showMessageBox(text, "Error", BoxOwner::GameWindow, BoxIcon::Error);
}
}  // namespace

std::unique_ptr<RgbImage> loadBitmapRgb(const std::string& path, uint64_t maxBytes) {
    BitmapError error = BitmapError::None;
    std::unique_ptr<RgbImage> image = readBitmapOrSayWhy(path, maxBytes, error);
    if (!image) {
        showBitmapError(path, error);
    }
    return image;
}

std::unique_ptr<RgbImage> readBitmapRgb(const std::string& path, uint64_t maxBytes) {
    BitmapError error = BitmapError::None;
    return readBitmapOrSayWhy(path, maxBytes, error);
}
