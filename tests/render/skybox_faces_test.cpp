#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "images/texture_ids.h"
#include "render/skybox.h"

namespace {
const auto GAME_BOX =
    skyboxFaces(0.0f, SKYBOX_CENTRE_Y, 0.0f, SKYBOX_WIDTH, SKYBOX_HEIGHT, SKYBOX_LENGTH);

const SkyFace& face(int texture) {
    for (const SkyFace& f : GAME_BOX) {
        if (f.texture == texture) {
            return f;
        }
    }
    throw std::logic_error("no such face");
}

using Point = std::tuple<float, float, float>;

std::set<Point> edge(const SkyFace& f, float s) {
    std::set<Point> points;
    for (const SkyVertex& v : f.corners) {
        if (v.s == s) {
            points.insert({v.x, v.y, v.z});
        }
    }
    return points;
}
}  // namespace

TEST(SkyboxFaces, GameBoxHasItsEightCornersAtTheGivenExtents) {
    std::set<Point> corners;
    for (const SkyFace& f : GAME_BOX) {
        for (const SkyVertex& v : f.corners) {
            EXPECT_TRUE(v.x == -900000.0f || v.x == 900000.0f);
            EXPECT_TRUE(v.y == -420000.0f || v.y == 780000.0f);
            EXPECT_TRUE(v.z == -900000.0f || v.z == 900000.0f);
            corners.insert({v.x, v.y, v.z});
        }
    }
    EXPECT_EQ(corners.size(), 8u);
}

TEST(SkyboxFaces, DrawnBackFrontBottomTopLeftRightEachFlatOnItsOwnPlane) {
    const int order[] = {TEX_SKY_BACK, TEX_SKY_FRONT, TEX_SKY_BOTTOM,
                         TEX_SKY_TOP,  TEX_SKY_LEFT,  TEX_SKY_RIGHT};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(GAME_BOX[static_cast<size_t>(i)].texture, order[i]);
    }
    for (const SkyVertex& v : face(TEX_SKY_BACK).corners)
        EXPECT_EQ(v.z, -900000.0f);
    for (const SkyVertex& v : face(TEX_SKY_FRONT).corners)
        EXPECT_EQ(v.z, 900000.0f);
    for (const SkyVertex& v : face(TEX_SKY_BOTTOM).corners)
        EXPECT_EQ(v.y, -420000.0f);
    for (const SkyVertex& v : face(TEX_SKY_TOP).corners)
        EXPECT_EQ(v.y, 780000.0f);
    for (const SkyVertex& v : face(TEX_SKY_LEFT).corners)
        EXPECT_EQ(v.x, -900000.0f);
    for (const SkyVertex& v : face(TEX_SKY_RIGHT).corners)
        EXPECT_EQ(v.x, 900000.0f);
}

TEST(SkyboxFaces, SideFacesJoinEdgeToEdgeWithTheirTopsUp) {
    // Turning right from inside: right, front, left, back, and round again.
    const int ring[] = {TEX_SKY_RIGHT, TEX_SKY_FRONT, TEX_SKY_LEFT, TEX_SKY_BACK};
    for (int i = 0; i < 4; ++i) {
        const SkyFace& here = face(ring[i]);
        const SkyFace& next = face(ring[(i + 1) % 4]);
        EXPECT_EQ(edge(here, 1.0f), edge(next, 0.0f)) << here.texture << " to " << next.texture;
        for (const SkyVertex& v : here.corners) {
            EXPECT_EQ(v.t == 1.0f, v.y == 780000.0f);
        }
    }
}

TEST(SkyboxFaces, TopAndBottomAreOrientedAsTheSidesExpect) {
    for (const SkyVertex& v : face(TEX_SKY_TOP).corners) {
        EXPECT_EQ(v.s, v.x < 0 ? 1.0f : 0.0f);
        EXPECT_EQ(v.t, v.z < 0 ? 1.0f : 0.0f);
    }
    for (const SkyVertex& v : face(TEX_SKY_BOTTOM).corners) {
        EXPECT_EQ(v.s, v.x < 0 ? 1.0f : 0.0f);
        EXPECT_EQ(v.t, v.z < 0 ? 0.0f : 1.0f);
    }
}

TEST(SkyboxFaces, OffCentreBoxKeepsItsSize) {
    const auto box = skyboxFaces(10.0f, 20.0f, 30.0f, 4.0f, 6.0f, 8.0f);
    for (const SkyFace& f : box) {
        for (const SkyVertex& v : f.corners) {
            EXPECT_TRUE(v.x == 8.0f || v.x == 12.0f);
            EXPECT_TRUE(v.y == 17.0f || v.y == 23.0f);
            EXPECT_TRUE(v.z == 26.0f || v.z == 34.0f);
        }
    }
}
