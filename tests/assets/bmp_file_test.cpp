#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "assets/bmp_builder.h"
#include "images/bitmap_file.h"
#include "images/texture.h"
#include "support/message_capture.h"
#include "support/test_display.h"

namespace {
std::string writeTempBitmap(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path = std::string(ZENTRIX_BINARY_DIR) + "/" + name;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return path;
}

// A PNG as RGB rows, bottom row first like the decoder's output.
bool readPngBottomUp(const std::string& path, RgbImage& image) {
    png_image png = {};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) {
        return false;
    }
    png.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> topDown(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, topDown.data(), 0, nullptr)) {
        return false;
    }
    image.width = static_cast<int32_t>(png.width);
    image.height = static_cast<int32_t>(png.height);
    const std::size_t stride = png.width * 3;
    image.pixels.clear();
    for (uint32_t row = png.height; row-- > 0;) {
        image.pixels.insert(image.pixels.end(), topDown.begin() + row * stride,
                            topDown.begin() + (row + 1) * stride);
    }
    return true;
}

std::vector<std::pair<std::string, std::vector<std::string>>> referenceMap() {
    std::ifstream in(testsupport::publicTestdataPath("bmpsuite/reference-map.tsv"));
    std::vector<std::pair<std::string, std::vector<std::string>>> entries;
    std::string line;
    std::getline(in, line);  // column names
    while (std::getline(in, line)) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos) {
            continue;
        }
        std::vector<std::string> pngs;
        std::stringstream list(line.substr(tab + 1));
        std::string png;
        while (std::getline(list, png, ',')) {
            pngs.push_back(png);
        }
        entries.emplace_back(line.substr(0, tab), pngs);
    }
    return entries;
}

std::vector<std::string> filesIn(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry :
         std::filesystem::directory_iterator(testsupport::publicTestdataPath("bmpsuite/" + dir))) {
        names.push_back(dir + "/" + entry.path().filename().string());
    }
    return names;
}
}  // namespace

TEST(BitmapFile, MissingAndEmptyFilesCannotBeOpened) {
    const std::string missing = std::string(ZENTRIX_BINARY_DIR) + "/no-such-picture.bmp";
    const std::string empty = writeTempBitmap("empty-picture.bmp", {});
    for (const std::string& path : {missing, empty}) {
        testsupport::MessageCapture capture;
        EXPECT_EQ(loadBitmapRgb(path), nullptr);
        ASSERT_EQ(capture.boxes().size(), 1u);
        EXPECT_EQ(capture.boxes()[0].text, "Failed to open DIB file " + path + ".\n");
        EXPECT_EQ(capture.boxes()[0].caption, "Error");
    }
}

TEST(BitmapFile, EachFailureShowsItsOneMessage) {
    testbmp::InfoBitmap os2 = testbmp::gradient24(2, 2);
    os2.headerSize = 64;
    testbmp::InfoBitmap cut = testbmp::gradient24(8, 8);
    cut.pixels.resize(10);
    testbmp::InfoBitmap huge;
    huge.width = 40000;
    huge.height = 40000;
    huge.bitsPerPixel = 8;
    huge.compression = 1;
    huge.colorsUsed = 1;
    huge.palette = {0, 0, 0, 0};
    huge.pixels = {0, 1};
    const std::pair<testbmp::InfoBitmap, const char*> cases[] = {
        {os2, "Unknown DIB file format."},
        {cut, "Image file conversion error."},
        {huge, "Out of memory."},
    };
    for (const auto& [bmp, message] : cases) {
        testsupport::MessageCapture capture;
        EXPECT_EQ(loadBitmapRgb(writeTempBitmap("failing.bmp", testbmp::makeFile(bmp))), nullptr);
        ASSERT_EQ(capture.boxes().size(), 1u) << message;
        EXPECT_EQ(capture.boxes()[0].text, message);
        EXPECT_EQ(capture.boxes()[0].caption, "Error");
    }
}

TEST(BitmapFile, NamesAreFoundWithoutRegardToCase) {
    writeTempBitmap("MixedCase.BMP", testbmp::makeFile(testbmp::gradient24(2, 2)));
    testsupport::MessageCapture capture;
    const auto image = loadBitmapRgb(std::string(ZENTRIX_BINARY_DIR) + "/mixedcase.bmp");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 2);
    EXPECT_TRUE(capture.boxes().empty());
}

// The game's own textures are plain 24-bit bitmaps: each stored row is blue,
// green, red triples padded to four bytes, bottom row first.
TEST(BitmapFile, TheGamesTexturesDecodeToTheirStoredPixels) {
    int textures = 0;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(testsupport::sourcePath("data"))) {
        if (entry.path().extension() != ".bmp") {
            continue;
        }
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
        ASSERT_GE(file.size(), 54u) << entry.path();
        const auto field = [&file](std::size_t at) {
            return file[at] | file[at + 1] << 8 | file[at + 2] << 16 | file[at + 3] << 24;
        };
        const int width = field(18);
        const int height = field(22);
        ASSERT_EQ(file[28], 24) << entry.path();
        ASSERT_EQ(field(30), 0) << entry.path();
        std::vector<uint8_t> expected;
        const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
        for (int row = 0; row < height; ++row) {
            const uint8_t* stored = &file[static_cast<std::size_t>(field(10)) + row * stride];
            for (int x = 0; x < width; ++x) {
                expected.insert(expected.end(),
                                {stored[3 * x + 2], stored[3 * x + 1], stored[3 * x]});
            }
        }

        testsupport::MessageCapture capture;
        const auto image = loadBitmapRgb(entry.path().string());
        ASSERT_NE(image, nullptr) << entry.path();
        EXPECT_EQ(image->width, width);
        EXPECT_EQ(image->height, height);
        EXPECT_TRUE(image->pixels == expected) << entry.path();
        ++textures;
    }
    EXPECT_EQ(textures, TEXTURE_COUNT);
}

TEST(BitmapSuite, GoodFilesMatchTheirReferencePictures) {
    int compared = 0;
    for (const auto& [bmp, pngs] : referenceMap()) {
        if (bmp.rfind("g/", 0) != 0) {
            continue;
        }
        testsupport::MessageCapture capture;
        const auto image = loadBitmapRgb(testsupport::publicTestdataPath("bmpsuite/" + bmp));
        ASSERT_NE(image, nullptr) << bmp;
        EXPECT_TRUE(capture.boxes().empty()) << bmp;
        bool matched = false;
        for (const std::string& png : pngs) {
            RgbImage reference;
            ASSERT_TRUE(readPngBottomUp(
                testsupport::publicTestdataPath("bmpsuite/reference-png/" + png), reference))
                << png;
            matched =
                matched || (reference.width == image->width && reference.height == image->height &&
                            reference.pixels == image->pixels);
        }
        EXPECT_TRUE(matched) << bmp;
        ++compared;
    }
    EXPECT_EQ(compared, 27);
}

TEST(BitmapSuite, BadAndQuestionableFilesDecodeOrFailWithOneMessage) {
    int files = 0;
    for (const char* dir : {"b", "q", "x"}) {
        for (const std::string& bmp : filesIn(dir)) {
            testsupport::MessageCapture capture;
            const auto image = loadBitmapRgb(testsupport::publicTestdataPath("bmpsuite/" + bmp));
            EXPECT_EQ(capture.boxes().size(), image ? 0u : 1u) << bmp;
            if (image) {
                EXPECT_EQ(image->pixels.size(),
                          static_cast<std::size_t>(image->width) * image->height * 3)
                    << bmp;
            }
            ++files;
        }
    }
    EXPECT_EQ(files, 61);
}
