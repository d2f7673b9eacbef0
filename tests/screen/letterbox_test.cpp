#include "screen/letterbox.h"

#include <gtest/gtest.h>

#include <ostream>

std::ostream& operator<<(std::ostream& out, const ScreenRect& r) {
    return out << r.width << "x" << r.height << "+" << r.x << "+" << r.y;
}

namespace {

TEST(Letterbox, APictureSizedWindowIsFilledExactlyWithNoBars) {
    EXPECT_EQ(letterboxPicture(1024, 768), (ScreenRect{0, 0, 1024, 768}));
    // Any 4:3 window is filled too, larger or smaller.
    EXPECT_EQ(letterboxPicture(800, 600), (ScreenRect{0, 0, 800, 600}));
    EXPECT_EQ(letterboxPicture(2048, 1536), (ScreenRect{0, 0, 2048, 1536}));
}

TEST(Letterbox, AWideWindowGetsBarsLeftAndRightAndTheFullHeight) {
    EXPECT_EQ(letterboxPicture(1600, 900), (ScreenRect{200, 0, 1200, 900}));
    EXPECT_EQ(letterboxPicture(1920, 1080), (ScreenRect{240, 0, 1440, 1080}));
    // 1366 x 768 keeps the picture at its own size, centred; the odd pixel goes right.
    EXPECT_EQ(letterboxPicture(1366, 768), (ScreenRect{171, 0, 1024, 768}));
}

TEST(Letterbox, ATallWindowGetsBarsAboveAndBelowAndTheFullWidth) {
    EXPECT_EQ(letterboxPicture(1280, 1024), (ScreenRect{0, 32, 1280, 960}));
    EXPECT_EQ(letterboxPicture(1024, 1024), (ScreenRect{0, 128, 1024, 768}));
}

TEST(Letterbox, ThePictureKeepsItsShapeAndStaysInsideEveryWindow) {
    for (int width = 1; width <= 2000; width += 37) {
        for (int height = 1; height <= 2000; height += 41) {
            const ScreenRect r = letterboxPicture(width, height);
            ASSERT_GE(r.x, 0) << width << "x" << height;
            ASSERT_GE(r.y, 0) << width << "x" << height;
            ASSERT_LE(r.x + r.width, width) << width << "x" << height;
            ASSERT_LE(r.y + r.height, height) << width << "x" << height;
            // One side touches the window's edges; the bars either side differ by a pixel at most.
            ASSERT_TRUE(r.width == width || r.height == height) << width << "x" << height;
            ASSERT_LE(std::abs((width - r.x - r.width) - r.x), 1);
            ASSERT_LE(std::abs((height - r.y - r.height) - r.y), 1);
            // 4:3 within the rounding of one pixel.
            ASSERT_LE(std::abs(r.width * 3 - r.height * 4), 4) << width << "x" << height;
        }
    }
}

TEST(Letterbox, AMinimisedWindowHasNoPicture) {
    EXPECT_EQ(letterboxPicture(0, 0), ScreenRect{});
    EXPECT_EQ(letterboxPicture(800, 0), ScreenRect{});
    EXPECT_EQ(letterboxPicture(-5, 600), ScreenRect{});
}

}  // namespace
