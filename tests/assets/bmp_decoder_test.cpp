#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "assets/bmp_builder.h"
#include "images/bmp_decoder.h"

using testbmp::InfoBitmap;
using testbmp::makeFile;

namespace {
BitmapError decode(const std::vector<uint8_t>& file, RgbImage& image) {
    return decodeBitmap(file.data(), file.size(), image);
}

std::vector<uint8_t> rgbAt(const RgbImage& image, int x, int row) {
    const auto* p = &image.pixels[static_cast<std::size_t>((row * image.width + x) * 3)];
    return {p[0], p[1], p[2]};
}

// Sixteen-entry grey palette with entry i = (i * 16, i * 16 + 1, i * 16 + 2) as R, G, B.
std::vector<uint8_t> rampPalette(int entries, int bytesPerEntry) {
    std::vector<uint8_t> palette;
    for (int i = 0; i < entries; ++i) {
        palette.push_back(static_cast<uint8_t>(i + 2));  // blue
        palette.push_back(static_cast<uint8_t>(i + 1));  // green
        palette.push_back(static_cast<uint8_t>(i));      // red
        if (bytesPerEntry == 4) {
            palette.push_back(0);
        }
    }
    return palette;
}
}  // namespace

TEST(BmpDecoder, TwentyFourBitPixelsComeOutRedGreenBlueWithoutPadding) {
    InfoBitmap bmp = testbmp::gradient24(4, 2);
    bmp.pixels[3] = 10;  // pixel (1, 0) stored as blue, green, red
    bmp.pixels[4] = 20;
    bmp.pixels[5] = 30;
    RgbImage image;
    ASSERT_EQ(decode(makeFile(bmp), image), BitmapError::None);
    EXPECT_EQ(image.width, 4);
    EXPECT_EQ(image.height, 2);
    ASSERT_EQ(image.pixels.size(), 24u);
    EXPECT_EQ(rgbAt(image, 1, 0), (std::vector<uint8_t>{30, 20, 10}));
    EXPECT_EQ(rgbAt(image, 3, 1), (std::vector<uint8_t>{7, 12, 31}));
}

TEST(BmpDecoder, RowPaddingOfOddWidthsIsSkipped) {
    const InfoBitmap bmp = testbmp::gradient24(5, 3);
    RgbImage image;
    ASSERT_EQ(decode(makeFile(bmp), image), BitmapError::None);
    ASSERT_EQ(image.pixels.size(), 45u);
    for (int row = 0; row < 3; ++row) {
        for (int x = 0; x < 5; ++x) {
            const std::vector<uint8_t> expected = {static_cast<uint8_t>(x + row + 3),
                                                   static_cast<uint8_t>(10 * row + 2),
                                                   static_cast<uint8_t>(10 * x + 1)};
            EXPECT_EQ(rgbAt(image, x, row), expected) << x << "," << row;
        }
    }
}

TEST(BmpDecoder, TopDownRowsAreFlippedIntoBottomUpOrder) {
    const InfoBitmap bottomUp = testbmp::gradient24(3, 4);
    InfoBitmap topDown = bottomUp;
    topDown.height = -4;
    const std::size_t stride = 12;
    topDown.pixels.clear();
    for (int row = 3; row >= 0; --row) {
        topDown.pixels.insert(topDown.pixels.end(), bottomUp.pixels.begin() + row * stride,
                              bottomUp.pixels.begin() + (row + 1) * stride);
    }
    RgbImage a;
    RgbImage b;
    ASSERT_EQ(decode(makeFile(bottomUp), a), BitmapError::None);
    ASSERT_EQ(decode(makeFile(topDown), b), BitmapError::None);
    EXPECT_EQ(b.height, 4);
    EXPECT_EQ(a.pixels, b.pixels);
}

TEST(BmpDecoder, PaletteLengthFollowsColoursUsedOrTheDepth) {
    // Without the file header the pixel data starts right after the palette,
    // so a wrong palette length reads the wrong bytes as pixels.
    for (const uint32_t colorsUsed : {0u, 16u}) {
        InfoBitmap bmp;
        bmp.width = 4;
        bmp.bitsPerPixel = 8;
        bmp.colorsUsed = colorsUsed;
        bmp.palette = rampPalette(colorsUsed == 0 ? 256 : 16, 4);
        bmp.pixels = {0, 5, 15, 1};
        std::vector<uint8_t> file = makeFile(bmp);
        file.erase(file.begin(), file.begin() + 14);
        RgbImage image;
        ASSERT_EQ(decode(file, image), BitmapError::None) << colorsUsed;
        EXPECT_EQ(rgbAt(image, 1, 0), (std::vector<uint8_t>{5, 6, 7})) << colorsUsed;
        EXPECT_EQ(rgbAt(image, 2, 0), (std::vector<uint8_t>{15, 16, 17})) << colorsUsed;
    }
}

TEST(BmpDecoder, OneBitPixelsPickTheirTwoPaletteEntries) {
    InfoBitmap bmp;
    bmp.width = 10;
    bmp.bitsPerPixel = 1;
    bmp.palette = {0, 0, 0, 0, 200, 150, 100, 0};
    bmp.pixels = {0b10100000, 0b01000000, 0, 0};
    RgbImage image;
    ASSERT_EQ(decode(makeFile(bmp), image), BitmapError::None);
    const std::vector<uint8_t> on = {100, 150, 200};
    const std::vector<uint8_t> off = {0, 0, 0};
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(rgbAt(image, x, 0), (x == 0 || x == 2 || x == 9) ? on : off) << x;
    }
}

TEST(BmpDecoder, CoreHeaderDecodesLikeTheInfoHeader) {
    const std::vector<uint8_t> pixels = {0x01, 0x23, 0, 0, 0xF0, 0x0F, 0, 0};  // 4-bit, 3 x 2
    InfoBitmap info;
    info.width = 3;
    info.height = 2;
    info.bitsPerPixel = 4;
    info.palette = rampPalette(16, 4);
    info.pixels = pixels;
    const std::vector<uint8_t> core = testbmp::makeCore(3, 2, 4, rampPalette(16, 3), pixels);
    RgbImage a;
    RgbImage b;
    ASSERT_EQ(decode(makeFile(info), a), BitmapError::None);
    ASSERT_EQ(decode(core, b), BitmapError::None);
    EXPECT_EQ(a.pixels, b.pixels);
    EXPECT_EQ(rgbAt(b, 2, 0), (std::vector<uint8_t>{2, 3, 4}));
    EXPECT_EQ(rgbAt(b, 0, 1), (std::vector<uint8_t>{15, 16, 17}));
}

TEST(BmpDecoder, SixteenAndThirtyTwoBitPixelsFollowTheirMasks) {
    InfoBitmap plain;  // 5-5-5 without masks: pure red, full white
    plain.width = 2;
    plain.bitsPerPixel = 16;
    plain.pixels = {0x00, 0x7C, 0xFF, 0x7F};
    RgbImage image;
    ASSERT_EQ(decode(makeFile(plain), image), BitmapError::None);
    EXPECT_EQ(rgbAt(image, 0, 0), (std::vector<uint8_t>{255, 0, 0}));
    EXPECT_EQ(rgbAt(image, 1, 0), (std::vector<uint8_t>{255, 255, 255}));

    InfoBitmap rgb565 = plain;  // the same bytes read as 5-6-5
    rgb565.compression = 3;
    rgb565.masks.clear();
    for (const uint32_t mask : {0xF800u, 0x07E0u, 0x001Fu}) {
        testbmp::put32(rgb565.masks, mask);
    }
    rgb565.pixels = {0xE0, 0x07, 0x1F, 0x00};  // pure green, pure blue
    ASSERT_EQ(decode(makeFile(rgb565), image), BitmapError::None);
    EXPECT_EQ(rgbAt(image, 0, 0), (std::vector<uint8_t>{0, 255, 0}));
    EXPECT_EQ(rgbAt(image, 1, 0), (std::vector<uint8_t>{0, 0, 255}));

    InfoBitmap rgb32;  // red in the low byte, blue in the high byte
    rgb32.width = 1;
    rgb32.bitsPerPixel = 32;
    rgb32.compression = 3;
    for (const uint32_t mask : {0x000000FFu, 0x0000FF00u, 0xFF000000u}) {
        testbmp::put32(rgb32.masks, mask);
    }
    rgb32.pixels = {11, 22, 99, 33};
    ASSERT_EQ(decode(makeFile(rgb32), image), BitmapError::None);
    EXPECT_EQ(rgbAt(image, 0, 0), (std::vector<uint8_t>{11, 22, 33}));
}

TEST(BmpDecoder, RunLengthStreamsDecodeRunsDeltasAndLiterals) {
    InfoBitmap rle8;
    rle8.width = 6;
    rle8.height = 3;
    rle8.bitsPerPixel = 8;
    rle8.compression = 1;
    rle8.palette = rampPalette(256, 4);
    rle8.pixels = {
        3, 7,              // three of colour 7
        0, 3, 1, 2, 3, 0,  // literal 1 2 3, padded
        0, 0,              // end of row 0
        0, 2, 2, 1,        // delta: x + 2, y + 1 -> (2, 2), row 1 stays black
        2, 9,              // two of colour 9
        0, 1,              // end of bitmap
    };
    RgbImage image;
    ASSERT_EQ(decode(makeFile(rle8), image), BitmapError::None);
    const int expectedRow0[] = {7, 7, 7, 1, 2, 3};
    for (int x = 0; x < 6; ++x) {
        const auto c = static_cast<uint8_t>(expectedRow0[x]);
        EXPECT_EQ(rgbAt(image, x, 0), (std::vector<uint8_t>{c, uint8_t(c + 1), uint8_t(c + 2)}));
        EXPECT_EQ(rgbAt(image, x, 1), (std::vector<uint8_t>{0, 0, 0}));
    }
    EXPECT_EQ(rgbAt(image, 2, 2), (std::vector<uint8_t>{9, 10, 11}));
    EXPECT_EQ(rgbAt(image, 4, 2), (std::vector<uint8_t>{0, 0, 0}));

    InfoBitmap rle4 = rle8;
    rle4.height = 1;
    rle4.bitsPerPixel = 4;
    rle4.compression = 2;
    rle4.palette = rampPalette(16, 4);
    rle4.pixels = {3, 0x12, 0, 3, 0x45, 0x60, 0, 1};  // 1 2 1, literal 4 5 6
    ASSERT_EQ(decode(makeFile(rle4), image), BitmapError::None);
    const int expected4[] = {1, 2, 1, 4, 5, 6};
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(rgbAt(image, x, 0)[0], expected4[x]) << x;
    }
}

TEST(BmpDecoder, RunsReachingPastTheEndOfARowDrawOnlyInsideIt) {
    InfoBitmap rle8;
    rle8.width = 4;
    rle8.height = 2;
    rle8.bitsPerPixel = 8;
    rle8.compression = 1;
    rle8.palette = rampPalette(256, 4);
    rle8.pixels = {
        2,   5,        // x 0..1
        5,   7,        // x 2..3, then three past the row
        255, 9,        // wholly past the row
        0,   0,        // end of row 0
        0,   2, 1, 0,  // delta to (1, 1)
        3,   8,        // x 1..3
        0,   1,        // end of bitmap
    };
    RgbImage image;
    ASSERT_EQ(decode(makeFile(rle8), image), BitmapError::None);
    const int expected[2][4] = {{5, 5, 7, 7}, {-1, 8, 8, 8}};
    for (int row = 0; row < 2; ++row) {
        for (int x = 0; x < 4; ++x) {
            const int c = expected[row][x];
            const std::vector<uint8_t> rgb =
                c < 0 ? std::vector<uint8_t>{0, 0, 0}
                      : std::vector<uint8_t>{uint8_t(c), uint8_t(c + 1), uint8_t(c + 2)};
            EXPECT_EQ(rgbAt(image, x, row), rgb) << x << ", " << row;
        }
    }

    // A 4-bit run alternates its two nibbles from its own start, wherever the row ends.
    InfoBitmap rle4 = rle8;
    rle4.width = 3;
    rle4.height = 1;
    rle4.bitsPerPixel = 4;
    rle4.compression = 2;
    rle4.palette = rampPalette(16, 4);
    rle4.pixels = {1, 0x30, 4, 0x12, 0, 1};
    ASSERT_EQ(decode(makeFile(rle4), image), BitmapError::None);
    const int expected4[] = {3, 1, 2};
    for (int x = 0; x < 3; ++x) {
        EXPECT_EQ(rgbAt(image, x, 0)[0], expected4[x]) << x;
    }
}

TEST(BmpDecoder, VersionFourAndFiveHeadersDecodeLikeTheInfoHeader) {
    InfoBitmap paletted;
    paletted.width = 4;
    paletted.bitsPerPixel = 8;
    paletted.colorsUsed = 16;
    paletted.palette = rampPalette(16, 4);
    paletted.pixels = {0, 5, 15, 1};
    RgbImage info;
    ASSERT_EQ(decode(makeFile(paletted), info), BitmapError::None);

    InfoBitmap rgb565;  // the masks sit inside the later headers
    rgb565.width = 2;
    rgb565.bitsPerPixel = 16;
    rgb565.compression = 3;
    for (const uint32_t mask : {0xF800u, 0x07E0u, 0x001Fu, 0u}) {
        testbmp::put32(rgb565.masks, mask);
    }
    rgb565.pixels = {0xE0, 0x07, 0x1F, 0x00};  // pure green, pure blue

    InfoBitmap plain32;  // without bit fields the header's masks do not apply
    plain32.width = 1;
    plain32.bitsPerPixel = 32;
    for (const uint32_t mask : {0x000000FFu, 0x0000FF00u, 0x00FF0000u, 0u}) {
        testbmp::put32(plain32.masks, mask);
    }
    plain32.pixels = {11, 22, 33, 0};

    for (const uint32_t headerSize : {108u, 124u}) {
        paletted.headerSize = headerSize;
        RgbImage image;
        ASSERT_EQ(decode(makeFile(paletted), image), BitmapError::None) << headerSize;
        EXPECT_EQ(image.pixels, info.pixels) << headerSize;

        // Without the file header the pixels follow the palette after the longer header.
        std::vector<uint8_t> bare = makeFile(paletted);
        bare.erase(bare.begin(), bare.begin() + 14);
        ASSERT_EQ(decode(bare, image), BitmapError::None) << headerSize;
        EXPECT_EQ(image.pixels, info.pixels) << headerSize;

        rgb565.headerSize = headerSize;
        ASSERT_EQ(decode(makeFile(rgb565), image), BitmapError::None) << headerSize;
        EXPECT_EQ(rgbAt(image, 0, 0), (std::vector<uint8_t>{0, 255, 0})) << headerSize;
        EXPECT_EQ(rgbAt(image, 1, 0), (std::vector<uint8_t>{0, 0, 255})) << headerSize;

        plain32.headerSize = headerSize;
        ASSERT_EQ(decode(makeFile(plain32), image), BitmapError::None) << headerSize;
        EXPECT_EQ(rgbAt(image, 0, 0), (std::vector<uint8_t>{33, 22, 11})) << headerSize;
    }
}

TEST(BmpDecoder, OtherHeaderSizesAreUnknown) {
    for (const uint32_t headerSize : {52u, 56u, 64u, 0u}) {
        InfoBitmap bmp = testbmp::gradient24(2, 2);
        bmp.headerSize = headerSize;
        RgbImage image;
        EXPECT_EQ(decode(makeFile(bmp), image), BitmapError::UnknownFormat) << headerSize;
    }
    EXPECT_STREQ(bitmapErrorText(BitmapError::UnknownFormat), "Unknown DIB file format.");
}

TEST(BmpDecoder, EveryTruncationIsRejectedWithoutReadingPastTheEnd) {
    InfoBitmap rle = {};
    rle.width = 4;
    rle.height = 2;
    rle.bitsPerPixel = 8;
    rle.compression = 1;
    rle.palette = rampPalette(256, 4);
    rle.pixels = {4, 1, 0, 0, 0, 4, 1, 2, 3, 4, 0, 1};
    InfoBitmap masked;
    masked.width = 4;
    masked.bitsPerPixel = 16;
    masked.compression = 3;
    masked.masks.assign(12, 0xFF);
    masked.pixels.assign(8, 1);
    for (const InfoBitmap& bmp : {testbmp::gradient24(5, 3), rle, masked}) {
        const std::vector<uint8_t> whole = makeFile(bmp);
        RgbImage image;
        ASSERT_EQ(decode(whole, image), BitmapError::None);
        for (std::size_t length = 1; length < whole.size() - 1; ++length) {
            // An exact-size copy, so the sanitizer sees any read past its end.
            const std::vector<uint8_t> cut(whole.begin(), whole.begin() + length);
            const BitmapError error = decode(cut, image);
            EXPECT_EQ(error, BitmapError::ConversionError) << length;
            EXPECT_TRUE(image.pixels.empty());
        }
    }
}

TEST(BmpDecoder, ImpossibleHeadersAreConversionErrors) {
    struct Case {
        const char* what;
        int32_t width;
        int32_t height;
        uint16_t bits;
        uint32_t compression;
    };
    const Case cases[] = {
        {"zero width", 0, 1, 24, 0},      {"negative width", -3, 1, 24, 0},
        {"zero height", 2, 0, 24, 0},     {"2-bit", 2, 1, 2, 0},
        {"RLE8 on 24-bit", 2, 1, 24, 1},  {"RLE8 top-down", 2, -1, 8, 1},
        {"masks on 24-bit", 2, 1, 24, 3}, {"JPEG", 2, 1, 0, 4},
    };
    for (const Case& c : cases) {
        InfoBitmap bmp;
        bmp.width = c.width;
        bmp.height = c.height;
        bmp.bitsPerPixel = c.bits;
        bmp.compression = c.compression;
        bmp.palette = rampPalette(256, 4);
        bmp.masks.assign(c.compression == 3 ? 12 : 0, 0xFF);
        bmp.pixels.assign(64, 0);
        RgbImage image;
        EXPECT_EQ(decode(makeFile(bmp), image), BitmapError::ConversionError) << c.what;
    }
}

TEST(BmpDecoder, PicturesTooLargeForMemoryAreOutOfMemory) {
    // A few bytes of run-length data can claim an enormous picture.
    InfoBitmap bmp;
    bmp.width = 0x7FFFFFFF;
    bmp.height = 0x7FFFFFFF;
    bmp.bitsPerPixel = 8;
    bmp.compression = 1;
    bmp.palette = rampPalette(2, 4);
    bmp.colorsUsed = 2;
    bmp.pixels = {0, 1};
    RgbImage image;
    EXPECT_EQ(decode(makeFile(bmp), image), BitmapError::OutOfMemory);
    bmp.height = static_cast<int32_t>(0x80000000u);  // the most negative height
    bmp.compression = 0;
    EXPECT_NE(decode(makeFile(bmp), image), BitmapError::None);
    EXPECT_STREQ(bitmapErrorText(BitmapError::OutOfMemory), "Out of memory.");
}

namespace {
// A file in memory that remembers how far into it the decoder read.
class WatchedSource : public BitmapSource {
public:
    explicit WatchedSource(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
    uint64_t size() const override { return bytes_.size(); }
    bool readAt(uint64_t offset, void* buffer, std::size_t count) const override {
        if (offset > bytes_.size() || count > bytes_.size() - offset) {
            return false;
        }
        std::copy(bytes_.begin() + offset, bytes_.begin() + offset + count,
                  static_cast<uint8_t*>(buffer));
        furthest_ = std::max<uint64_t>(furthest_, offset + count);
        largestRead_ = std::max(largestRead_, count);
        return true;
    }
    uint64_t furthest() const { return furthest_; }
    std::size_t largestRead() const { return largestRead_; }

private:
    std::vector<uint8_t> bytes_;
    mutable uint64_t furthest_ = 0;
    mutable std::size_t largestRead_ = 0;
};

// Run-length data that ends at once: any size of picture in a few bytes.
InfoBitmap runLengthBlank(int32_t width, int32_t height) {
    InfoBitmap bmp;
    bmp.width = width;
    bmp.height = height;
    bmp.bitsPerPixel = 8;
    bmp.compression = 1;
    bmp.colorsUsed = 1;
    bmp.palette = {0, 0, 0, 0};
    bmp.pixels = {0, 1};
    return bmp;
}
}  // namespace

TEST(BmpDecoder, PicturesOverTheSideOrByteBudgetAreRefusedBeforeTheirPixelsAreRead) {
    const uint64_t pixelOffset = 14 + 40 + 4;
    for (const auto& [width, height] : {std::pair{4097, 1}, std::pair{1, 4097}}) {
        WatchedSource source(makeFile(runLengthBlank(width, height)));
        RgbImage image;
        EXPECT_EQ(decodeBitmap(source, image), BitmapError::OutOfMemory) << width << "x" << height;
        EXPECT_LE(source.furthest(), pixelOffset);
    }
    RgbImage image;
    WatchedSource largest(makeFile(runLengthBlank(MAX_BITMAP_SIDE, MAX_BITMAP_SIDE)));
    ASSERT_EQ(decodeBitmap(largest, image), BitmapError::None);
    EXPECT_EQ(image.pixels.size(), std::size_t{MAX_BITMAP_SIDE} * MAX_BITMAP_SIDE * 3);

    // The caller's byte budget is checked the same way: 4 x 4 x 3 = 48 bytes.
    WatchedSource small(makeFile(testbmp::gradient24(4, 4)));
    EXPECT_EQ(decodeBitmap(small, image, 47), BitmapError::OutOfMemory);
    EXPECT_LE(small.furthest(), pixelOffset - 4);
    EXPECT_EQ(decodeBitmap(small, image, 48), BitmapError::None);
}

TEST(BmpDecoder, RowsAreReadOneAtATimeAndOnlyAsFarAsThePictureGoes) {
    const InfoBitmap bmp = testbmp::gradient24(21, 64);  // 64-byte rows
    std::vector<uint8_t> file = makeFile(bmp);
    const std::size_t pictureEnd = file.size();
    file.resize(file.size() + 4096, 0xAB);  // whatever trails the picture is never read
    WatchedSource source(file);
    RgbImage image;
    ASSERT_EQ(decodeBitmap(source, image), BitmapError::None);
    EXPECT_EQ(source.furthest(), pictureEnd);
    EXPECT_EQ(source.largestRead(), 64u);

    // A run-length stream is read in blocks, never the whole tail of the file.
    std::vector<uint8_t> rle = makeFile(runLengthBlank(8, 8));
    rle.resize(rle.size() + (4 << 20), 0);
    WatchedSource stream(rle);
    ASSERT_EQ(decodeBitmap(stream, image), BitmapError::None);
    EXPECT_LT(stream.furthest(), 1u << 20);
}
