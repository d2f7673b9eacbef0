// Files that claim far more than they hold, or are no files at all, placed
// where a texture is expected. Each must fail with its one box, having read
// only its headers, so the game's memory never grows with what a file claims.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "assets/bmp_builder.h"
#include "images/bitmap_file.h"
#include "images/texture.h"
#include "support/message_capture.h"

namespace {
constexpr uint64_t GIB = uint64_t{1} << 30;
constexpr long MIB = 1024;  // ru_maxrss counts kibibytes

long peakKib() {
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A picture that takes a few bytes of run-length data whatever its size.
testbmp::InfoBitmap hostileRunLengthBlank(int32_t width, int32_t height) {
    testbmp::InfoBitmap bmp;
    bmp.width = width;
    bmp.height = height;
    bmp.bitsPerPixel = 8;
    bmp.compression = 1;
    bmp.colorsUsed = 1;
    bmp.palette = {0, 0, 0, 0};
    bmp.pixels = {0, 1};
    return bmp;
}

// Just the headers of an uncompressed 24-bit picture.
std::vector<uint8_t> headersOf24Bit(int32_t width, int32_t height) {
    testbmp::InfoBitmap bmp;
    bmp.width = width;
    bmp.height = height;
    return testbmp::makeFile(bmp);
}

class HostileBitmap : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("zentrix-hostile-bitmap-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    // The bytes, then nothing but a hole up to size (free on disk).
    std::string write(const std::string& name, const std::vector<uint8_t>& bytes,
                      uint64_t size = 0) {
        const std::string file = path(name);
        const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        EXPECT_GE(fd, 0) << file;
        EXPECT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        if (size > bytes.size()) {
            EXPECT_EQ(ftruncate(fd, static_cast<off_t>(size)), 0) << file;
        }
        ::close(fd);
        return file;
    }

    // Loads path, expecting it to fail with exactly one box saying message,
    // and prints how long that took.
    void expectRefused(const std::string& file, const std::string& message) {
        testsupport::MessageCapture capture;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(loadBitmapRgb(file), nullptr) << file;
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        ASSERT_EQ(capture.boxes().size(), 1u) << file;
        EXPECT_EQ(capture.boxes()[0].text, message) << file;
        EXPECT_EQ(capture.boxes()[0].caption, "Error");
        std::printf("[  figure  ] %s refused in %.2f ms, peak memory %.1f MiB\n",
                    std::filesystem::path(file).filename().c_str(), took.count(),
                    static_cast<double>(peakKib()) / MIB);
    }

    std::filesystem::path dir_;
};

TEST_F(HostileBitmap, WhatIsNotARegularFileFailsLikeAMissingOne) {
    ASSERT_EQ(mkfifo(path("fifo.bmp").c_str(), 0600), 0);
    std::filesystem::create_directory(path("folder.bmp"));
    std::filesystem::create_symlink(path("nowhere.bmp"), path("dangling.bmp"));
    std::filesystem::create_symlink("/dev/zero", path("zero.bmp"));
    for (const std::string& file : {path("fifo.bmp"), path("folder.bmp"), path("dangling.bmp"),
                                    path("zero.bmp"), std::string("/dev/zero")}) {
        expectRefused(file, "Failed to open DIB file " + file + ".\n");
    }
}

TEST_F(HostileBitmap, GiantFilesAreJudgedByTheirHeadersAlone) {
    const long before = peakKib();
    // Each header's rows fit inside its file, so only the size budget stops them.
    expectRefused(write("4gib.bmp", headersOf24Bit(40000, 30000), 4 * GIB), "Out of memory.");
    expectRefused(write("64gib.bmp", headersOf24Bit(150000, 150000), 64 * GIB), "Out of memory.");
    // A picture within budget whose rows start too near the end of a 4 GiB file.
    std::vector<uint8_t> nearEnd = headersOf24Bit(MAX_BITMAP_SIDE, MAX_BITMAP_SIDE);
    const uint32_t offset = static_cast<uint32_t>(4 * GIB - 1000);
    for (int i = 0; i < 4; ++i) {
        nearEnd[10 + i] = static_cast<uint8_t>(offset >> (8 * i));
    }
    expectRefused(write("offset.bmp", nearEnd, 4 * GIB), "Image file conversion error.");
    // Reading any of these whole, or making the picture one claims, takes gigabytes.
    EXPECT_LT(peakKib() - before, 100 * MIB);
}

TEST_F(HostileBitmap, RunLengthBombsAndTruncatedBodiesAllocateNothingLarge) {
    const long before = peakKib();
    const std::vector<uint8_t> bomb = testbmp::makeFile(hostileRunLengthBlank(9000, 9000));
    ASSERT_LT(bomb.size(), 1024u);
    expectRefused(write("bomb.bmp", bomb), "Out of memory.");
    expectRefused(
        write("tall.bmp", testbmp::makeFile(hostileRunLengthBlank(1, MAX_BITMAP_SIDE + 1))),
        "Out of memory.");
    // The largest picture allowed (48 MiB decoded) with only 1 KiB of its rows present.
    std::vector<uint8_t> cut = headersOf24Bit(MAX_BITMAP_SIDE, MAX_BITMAP_SIDE);
    cut.resize(cut.size() + 1024, 0x55);
    expectRefused(write("cut.bmp", cut), "Image file conversion error.");
    // Either picture made before its file was judged would raise the peak by 48 MiB or more.
    EXPECT_LT(peakKib() - before, 16 * MIB);
}

// Last in this file: the allowed loads here make pictures of 48 MiB each.
TEST_F(HostileBitmap, AllTexturesTogetherStayWithinTheirBudget) {
    resetTextureBytesLoaded();
    const std::string largest = write(
        "largest.bmp", testbmp::makeFile(hostileRunLengthBlank(MAX_BITMAP_SIDE, MAX_BITMAP_SIDE)));
    const uint64_t largestBytes = uint64_t{MAX_BITMAP_SIDE} * MAX_BITMAP_SIDE * 3;
    const uint64_t fitting = MAX_TEXTURE_BYTES / largestBytes;
    ASSERT_EQ(fitting, 5u);
    for (uint64_t i = 0; i < fitting; ++i) {
        testsupport::MessageCapture capture;
        EXPECT_NE(loadTextureBitmap(largest), nullptr) << i;
        EXPECT_TRUE(capture.boxes().empty()) << i;
    }
    EXPECT_EQ(textureBytesLoaded(), fitting * largestBytes);
    {
        testsupport::MessageCapture capture;
        EXPECT_EQ(loadTextureBitmap(largest), nullptr);
        ASSERT_EQ(capture.boxes().size(), 1u);
        EXPECT_EQ(capture.boxes()[0].text, "Out of memory.");
        EXPECT_EQ(textureBytesLoaded(), fitting * largestBytes)
            << "a refused texture counts nothing";
    }
    // What is left still takes a small texture.
    const std::string small = write("small.bmp", testbmp::makeFile(testbmp::gradient24(4, 4)));
    EXPECT_NE(loadTextureBitmap(small), nullptr);
    EXPECT_EQ(textureBytesLoaded(), fitting * largestBytes + 48);

    resetTextureBytesLoaded();
    EXPECT_NE(loadTextureBitmap(largest), nullptr);
    resetTextureBytesLoaded();
}

// At start-up the pictures are read ahead on a thread that shows nothing; the
// main thread then takes each within the textures' budget, or reads it again
// to show the box the game always showed.
TEST_F(HostileBitmap, APictureReadAheadIsTakenWithinTheBudgetOrReadAgainToSayWhy) {
    resetTextureBytesLoaded();
    const std::string largest = write(
        "largest.bmp", testbmp::makeFile(hostileRunLengthBlank(MAX_BITMAP_SIDE, MAX_BITMAP_SIDE)));
    const std::string missing = path("missing.bmp");
    testsupport::MessageCapture capture;
    EXPECT_EQ(readBitmapRgb(missing), nullptr);
    EXPECT_EQ(readBitmapRgb(write("giant.bmp", headersOf24Bit(MAX_BITMAP_SIDE + 1, 1))), nullptr);
    EXPECT_TRUE(capture.boxes().empty()) << "reading ahead says nothing";

    for (int i = 0; i < 5; ++i) {
        std::unique_ptr<RgbImage> ahead = readBitmapRgb(largest);
        const RgbImage* read = ahead.get();
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(takeTextureBitmap(std::move(ahead), largest).get(), read) << "taken as read";
    }
    EXPECT_TRUE(capture.boxes().empty());
    EXPECT_EQ(textureBytesLoaded(), 5 * uint64_t{MAX_BITMAP_SIDE} * MAX_BITMAP_SIDE * 3);
    EXPECT_EQ(takeTextureBitmap(readBitmapRgb(largest), largest), nullptr) << "over the budget";
    EXPECT_EQ(takeTextureBitmap(nullptr, missing), nullptr);
    ASSERT_EQ(capture.boxes().size(), 2u);
    EXPECT_EQ(capture.boxes()[0].text, "Out of memory.");
    EXPECT_EQ(capture.boxes()[1].text, "Failed to open DIB file " + missing + ".\n");
    resetTextureBytesLoaded();
}

}  // namespace
