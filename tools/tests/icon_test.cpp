#include <gtest/gtest.h>
#include <png.h>

#include <cmath>
#include <cstdlib>

#include "icon.h"
#include "png_writer.h"

using namespace assetgen;

namespace {

struct Pixel {
    int r, g, b, a;
};

Pixel pixelAt(const RgbaImage& image, int x, int row) {
    const unsigned char* p = &image.bytes[(static_cast<size_t>(row) * image.width + x) * 4];
    return {p[0], p[1], p[2], p[3]};
}

TEST(Icon, ABadgeWithClearCornersAndNothingHalfSeenInside) {
    for (int size : ICON_SIZES) {
        const RgbaImage icon = makeIcon(size);
        ASSERT_EQ(icon.width, size);
        ASSERT_EQ(icon.height, size);
        ASSERT_EQ(icon.bytes.size(), static_cast<size_t>(size) * size * 4);
        const int last = size - 1;
        for (auto [x, row] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}, {last / 2, 0}}) {
            EXPECT_EQ(pixelAt(icon, x, row).a, 0) << size << " px icon at " << x << "," << row;
        }
        // Inside the badge every pixel is opaque; only its rim is blended.
        const int inner = size / 8;
        for (int row = inner; row < size - inner; ++row) {
            for (int x = inner; x < size - inner; ++x) {
                ASSERT_EQ(pixelAt(icon, x, row).a, 255)
                    << size << " px icon at " << x << "," << row;
            }
        }
        int blended = 0;
        for (int i = 3; i < static_cast<int>(icon.bytes.size()); i += 4) {
            blended += icon.bytes[i] > 0 && icon.bytes[i] < 255;
        }
        EXPECT_GT(blended, size) << "the rounded edge is smoothed";
        EXPECT_LT(blended, 8 * size) << "and nothing but the edge is see-through";
    }
}

// Each size is the same drawing, not a different design: the large icon
// shrunk by averaging looks like the small one.
TEST(Icon, EverySizeIsTheSameDrawing) {
    const RgbaImage large = makeIcon(256);
    const RgbaImage small = makeIcon(64);
    double difference = 0;
    for (int row = 0; row < 64; ++row) {
        for (int x = 0; x < 64; ++x) {
            double sum[4] = {};
            for (int dy = 0; dy < 4; ++dy) {
                for (int dx = 0; dx < 4; ++dx) {
                    const Pixel p = pixelAt(large, x * 4 + dx, row * 4 + dy);
                    sum[0] += p.r * p.a / 255.0;
                    sum[1] += p.g * p.a / 255.0;
                    sum[2] += p.b * p.a / 255.0;
                    sum[3] += p.a;
                }
            }
            const Pixel p = pixelAt(small, x, row);
            difference += std::fabs(sum[0] / 16 - p.r * p.a / 255.0) +
                          std::fabs(sum[1] / 16 - p.g * p.a / 255.0) +
                          std::fabs(sum[2] / 16 - p.b * p.a / 255.0) + std::fabs(sum[3] / 16 - p.a);
        }
    }
    EXPECT_LT(difference / (64 * 64 * 4), 6.0);
}

// The craft flies up the road with its two engines glowing violet-white
// behind it, one glow on each side of the middle.
TEST(Icon, EachEngineGlowsBehindTheCraft) {
    const RgbaImage icon = makeIcon(128);
    const Pixel road = pixelAt(icon, 40, 122);
    const int roadLight = road.r + road.g + road.b;
    int glowing[2] = {};
    for (int x = 44; x < 84; ++x) {
        const Pixel p = pixelAt(icon, x, 104);
        if (p.r + p.g + p.b > roadLight + 300 && p.b >= p.g) {
            ++glowing[x < 64 ? 0 : 1];
        }
    }
    EXPECT_GE(glowing[0], 4);
    EXPECT_GE(glowing[1], 4);
    const Pixel between = pixelAt(icon, 64, 104);
    EXPECT_LT(between.r + between.g + between.b, roadLight + 100);
}

TEST(PngFile, ReadsBackAsTheSamePixelsWithAlpha) {
    RgbaImage image;
    image.width = 3;
    image.height = 2;
    image.bytes = {255, 0,  0,  255, 0,  255, 0,  128, 0,  0,   255, 0,
                   10,  20, 30, 40,  50, 60,  70, 80,  90, 100, 110, 120};
    const std::vector<unsigned char> file = encodePngRgba(image);
    ASSERT_GT(file.size(), 8u);
    EXPECT_EQ(std::string(file.begin() + 1, file.begin() + 4), "PNG");

    png_image read{};
    read.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_memory(&read, file.data(), file.size()));
    EXPECT_EQ(read.width, 3u);
    EXPECT_EQ(read.height, 2u);
    EXPECT_TRUE(read.format & PNG_FORMAT_FLAG_ALPHA);
    read.format = PNG_FORMAT_RGBA;
    std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(read));
    ASSERT_TRUE(png_image_finish_read(&read, nullptr, pixels.data(), 0, nullptr));
    EXPECT_EQ(pixels, image.bytes) << "rows from the top, straight alpha";
}

}  // namespace
