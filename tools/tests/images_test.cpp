#include <gtest/gtest.h>

#include <cstdint>

#include "bmp_writer.h"
#include "textures.h"

using namespace assetgen;

namespace {

uint32_t read32(const std::vector<unsigned char>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

double brightness(const Image& image, int x, int y) {
    const Color& c = image.at(x, y);
    return (c.r + c.g + c.b) / 3;
}

double colourGap(Color a, Color b) {
    return std::max({std::fabs(a.r - b.r), std::fabs(a.g - b.g), std::fabs(a.b - b.b)});
}

}  // namespace

TEST(BitmapFile, OddWidthRowsArePaddedBottomUpInBlueGreenRed) {
    Image image(5, 2);
    image.at(0, 0) = rgb(10, 20, 30);    // bottom-left
    image.at(4, 1) = rgb(200, 100, 50);  // top-right
    std::vector<unsigned char> bytes = encodeBmp24(image);

    const size_t rowBytes = 16;  // 15 bytes of pixels and one of padding
    ASSERT_EQ(bytes.size(), 54 + 2 * rowBytes);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(read32(bytes, 2), bytes.size());
    EXPECT_EQ(read32(bytes, 10), 54u);
    EXPECT_EQ(read32(bytes, 14), 40u);
    EXPECT_EQ(read32(bytes, 18), 5u);
    EXPECT_EQ(read32(bytes, 22), 2u);  // positive height: bottom row first
    EXPECT_EQ(bytes[28], 24);
    EXPECT_EQ(read32(bytes, 30), 0u);

    EXPECT_EQ(bytes[54], 30);
    EXPECT_EQ(bytes[55], 20);
    EXPECT_EQ(bytes[56], 10);
    EXPECT_EQ(bytes[54 + 15], 0);  // padding
    const size_t topRight = 54 + rowBytes + 4 * 3;
    EXPECT_EQ(bytes[topRight], 50);
    EXPECT_EQ(bytes[topRight + 1], 100);
    EXPECT_EQ(bytes[topRight + 2], 200);
}

TEST(SkyBox, NeighbouringFacesShareTheirEdges) {
    struct Edge {
        SkyFace a;
        double as, at;  // a point on face a's edge, as (s, t) with one of them free
        SkyFace b;
        double bs, bt;
    };
    for (double f = 0; f <= 1.0; f += 0.125) {
        // Turning right: right, front, left, back, each right edge on the next left edge.
        const Edge edges[] = {
            {SkyFace::Right, 1, f, SkyFace::Front, 0, f},
            {SkyFace::Front, 1, f, SkyFace::Left, 0, f},
            {SkyFace::Left, 1, f, SkyFace::Back, 0, f},
            {SkyFace::Back, 1, f, SkyFace::Right, 0, f},
            // The top meets every side face along that face's upper edge.
            {SkyFace::Front, f, 1, SkyFace::Top, f, 0},
            {SkyFace::Back, f, 1, SkyFace::Top, 1 - f, 1},
            // And the bottom along each lower edge.
            {SkyFace::Front, f, 0, SkyFace::Bottom, f, 1},
            {SkyFace::Back, f, 0, SkyFace::Bottom, 1 - f, 0},
        };
        for (const Edge& e : edges) {
            Vec3 p = skyFacePoint(e.a, e.as, e.at);
            Vec3 q = skyFacePoint(e.b, e.bs, e.bt);
            EXPECT_NEAR(p.x, q.x, 1e-6) << skyFaceName(e.a) << "/" << skyFaceName(e.b) << " " << f;
            EXPECT_NEAR(p.y, q.y, 1e-6) << skyFaceName(e.a) << "/" << skyFaceName(e.b) << " " << f;
            EXPECT_NEAR(p.z, q.z, 1e-6) << skyFaceName(e.a) << "/" << skyFaceName(e.b) << " " << f;
        }
    }
}

TEST(SkyBox, ColoursRunOnAcrossTheSeamsAndTheSkyIsAboveTheGround) {
    const int size = 64;
    Image right = makeSkyFace(SkyFace::Right, size);
    Image front = makeSkyFace(SkyFace::Front, size);
    Image top = makeSkyFace(SkyFace::Top, size);
    double worstSeam = 0;
    for (int y = 0; y < size; ++y) {
        worstSeam = std::max(worstSeam, colourGap(right.at(size - 1, y), front.at(0, y)));
    }
    EXPECT_LT(worstSeam, 0.2);
    for (int x = 0; x < size; ++x) {
        // Front's top row against top's row at z1 (t = 0), same direction of s.
        EXPECT_LT(colourGap(front.at(x, size - 1), top.at(x, 0)), 0.2) << x;
    }
    // Blue sky up high, no blue-dominated ground low down.
    Color high = front.at(size / 2, size - 2);
    Color low = front.at(size / 2, 1);
    EXPECT_GT(high.b, high.r);
    EXPECT_LT(low.b, low.g);
}

TEST(Glows, FadeToBlackAtTheRimFromWhiteAtTheCentre) {
    for (const Image& image : {makeFlare(), makeShadow()}) {
        const int n = image.width;
        EXPECT_EQ(image.width, 256);
        EXPECT_EQ(image.height, 256);
        EXPECT_GT(brightness(image, n / 2, n / 2), 0.95);
        // Drawn additively or as a multiplier: the rim must be exactly black.
        for (int i = 0; i < n; i += 15) {
            EXPECT_LT(toByte(brightness(image, i, 0)), 1);
            EXPECT_LT(toByte(brightness(image, 0, i)), 1);
            EXPECT_LT(toByte(brightness(image, i, n - 1)), 1);
            EXPECT_LT(toByte(brightness(image, n - 1, i)), 1);
        }
        // Fades steadily outwards along a radius.
        double before = 2;
        for (int x = n / 2; x < n; x += 8) {
            double v = brightness(image, x, n / 2 + 40);
            EXPECT_LE(v, before + 1e-9);
            before = v;
        }
    }
}

TEST(Digits, EachIsADistinctBrightFigureOnABlackBorder) {
    std::vector<Image> digits;
    for (int d = 1; d <= 6; ++d) {
        digits.push_back(makeDigit(d));
        const Image& image = digits.back();
        double lit = 0;
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                bool border = x < 4 || y < 4 || x >= image.width - 4 || y >= image.height - 4;
                if (border) {
                    EXPECT_EQ(toByte(brightness(image, x, y)), 0) << d << " at " << x << "," << y;
                }
                lit += brightness(image, x, y) > 0.8 ? 1 : 0;
            }
        }
        // A bold stroke covers a good share of the picture, but not all of it.
        double share = lit / (image.width * image.height);
        EXPECT_GT(share, 0.04) << d;
        EXPECT_LT(share, 0.3) << d;
    }
    for (size_t a = 0; a < digits.size(); ++a) {
        for (size_t b = a + 1; b < digits.size(); ++b) {
            double differing = 0;
            for (size_t i = 0; i < digits[a].pixels.size(); ++i) {
                differing += colourGap(digits[a].pixels[i], digits[b].pixels[i]) > 0.5;
            }
            EXPECT_GT(differing, 1000) << a + 1 << " looks like " << b + 1;
        }
    }
}

TEST(TrackTextures, RepeatWithoutASeamAlongTheTrack) {
    for (const Image& image : {makeRoad(), makeWall(true), makeWall(false)}) {
        EXPECT_EQ(image.width, 512);
        EXPECT_EQ(image.height, 256);
        // The last column must run on into the first no harder than the
        // sharpest edge inside the picture (a kerb block or a panel seam).
        auto columnGap = [&image](int a, int b) {
            double gap = 0;
            for (int y = 0; y < image.height; ++y) {
                gap += colourGap(image.at(a, y), image.at(b, y));
            }
            return gap;
        };
        double sharpest = 0;
        for (int x = 0; x + 1 < image.width; ++x) {
            sharpest = std::max(sharpest, columnGap(x, x + 1));
        }
        EXPECT_LE(columnGap(image.width - 1, 0), sharpest);
    }
    // The two walls are told apart by their stripe colour.
    auto stripeShare = [](const Image& wall, bool red) {
        int count = 0;
        for (int x = 0; x < wall.width; ++x) {
            const Color& c = wall.at(x, 150);
            count += red ? c.r > c.b + 0.4 : c.b > c.r + 0.4;
        }
        return static_cast<double>(count) / wall.width;
    };
    Image right = makeWall(true), left = makeWall(false);
    EXPECT_GT(stripeShare(right, true), 0.3);
    EXPECT_EQ(stripeShare(right, false), 0.0);
    EXPECT_GT(stripeShare(left, false), 0.3);
    EXPECT_EQ(stripeShare(left, true), 0.0);
}
