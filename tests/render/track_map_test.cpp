#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "craft/opponent.h"
#include "craft/player.h"
#include "hud/track_map.h"
#include "input/key_commands.h"
#include "input/key_state.h"
#include "models/palette.h"
#include "support/gl_test_window.h"
#include "support/saved_race.h"
#include "support/screen.h"
#include "track/track.h"

using testsupport::Pixel;
using testsupport::Screen;

namespace {

// What the rest of the overlay uses, x0, y0, x1, y1 from the top left: the
// clock, laps and records; the place digit; the top left corner.
constexpr int OTHERS[][4] = {{840, 690, 1024, 768}, {860, 20, 985, 135}, {0, 0, 256, 64}};

auto inColor(ColorCode code) {
    const Rgba c = lookupColor(code);
    return [c](const Pixel& p) {
        return std::abs(p[0] - c[0] * 255) < 2 && std::abs(p[1] - c[1] * 255) < 2 &&
               std::abs(p[2] - c[2] * 255) < 2;
    };
}

Vector3 onCentreLine(double t) {
    return Vector3(gTrack.centreX(t), 40.0, gTrack.centreZ(t));
}

// How many pixels of a colour lie within reach of where a craft is mapped.
int dotPixels(const Screen& s, const Vector3& at, ColorCode color, int reach = 9) {
    const OverlayPoint p = trackMapPoint(at.x, at.z);
    const int x = static_cast<int>(p.x);
    const int y = static_cast<int>(p.y);
    return s.count(x - reach, y - reach, x + reach + 1, y + reach + 1, inColor(color));
}

class TrackMap : public ::testing::Test {
protected:
    void TearDown() override {
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        race_.restore();
        gTrack.radius = radius_;
        trackMapTrackChanged();
        if (!trackMapShows()) {
            toggleTrackMap();
        }
    }
    static Screen mapOver(float grey) {
        glClearColor(grey, grey, grey, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawTrackMap();
        return Screen();
    }

    testsupport::SavedRace race_;
    testsupport::GlTestWindow window_;
    int32_t radius_ = gTrack.radius;
};

TEST_F(TrackMap, TheCircuitSitsBottomLeftInItsOwnShapeFacingNorthAndMTogglesIt) {
    for (Opponent& opponent : gOpponents) {
        opponent.destroyed = 1;
    }
    double minX = 1e300, maxX = -1e300, minZ = 1e300, maxZ = -1e300;
    for (int i = 0; i < 1000; ++i) {
        const Vector3 at = onCentreLine(TRACK_PERIOD * i / 1000);
        minX = std::min(minX, at.x);
        maxX = std::max(maxX, at.x);
        minZ = std::min(minZ, at.z);
        maxZ = std::max(maxZ, at.z);
    }
    // The player inside the circuit, clear of its outermost bends.
    gPlayer.position = Vector3((minX + maxX) / 2, 40.0, (minZ + maxZ) / 2);
    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    const Screen plain;
    const Pixel background = plain.at(512, 384);
    auto changed = [&](const Pixel& p) { return p != background; };
    const Screen map = mapOver(0.5f);
    const auto drawn = map.bounds(changed);
    // Inside the picture, in the bottom left corner, under 200 pixels.
    EXPECT_GE(drawn[0], 8);
    EXPECT_LE(drawn[3], 760);
    EXPECT_LT(drawn[2], 300);
    EXPECT_GT(drawn[1], 768 - 260);
    const int longer = std::max(drawn[2] - drawn[0], drawn[3] - drawn[1]) + 1;
    EXPECT_GE(longer, 160);
    EXPECT_LE(longer, 200);
    for (const auto& r : OTHERS) {
        EXPECT_EQ(map.count(r[0], r[1], r[2], r[3], changed), 0) << r[0] << ", " << r[1];
    }
    // The outline keeps the circuit's shape, world x across and z down, and
    // runs where craft on the centre line are mapped, all the way round.
    const auto outline = map.bounds(inColor(TRACK_MAP_OUTLINE_COLOR));
    EXPECT_NEAR(static_cast<double>(outline[2] - outline[0]) / (outline[3] - outline[1]),
                (maxX - minX) / (maxZ - minZ), 0.03);
    const OverlayPoint player = trackMapPoint(gPlayer.position.x, gPlayer.position.z);
    for (int i = 0; i < 24; ++i) {
        const Vector3 at = onCentreLine(TRACK_PERIOD * i / 24);
        const OverlayPoint p = trackMapPoint(at.x, at.z);
        if (std::hypot(p.x - player.x, p.y - player.y) > 12.0f) {
            EXPECT_GT(dotPixels(map, at, TRACK_MAP_OUTLINE_COLOR, 2), 0) << "t = " << i << "/24";
        }
    }

    onKeyDown(VK_M);
    EXPECT_FALSE(trackMapShows());
    EXPECT_TRUE(mapOver(0.5f) == plain);
    onKeyDown(VK_M);
    EXPECT_TRUE(trackMapShows());
    EXPECT_TRUE(mapOver(0.5f) == map);
}

TEST_F(TrackMap, EachCraftIsADotInItsColourTheWreckedGoneThePlayersLargest) {
    auto spreadOut = [](int wrecked) {
        gPlayer.position = onCentreLine(0.0);
        for (int i = 0; i < OPPONENT_COUNT; ++i) {
            gOpponents[i].position = onCentreLine(TRACK_PERIOD * (i + 1) / (OPPONENT_COUNT + 1));
            gOpponents[i].destroyed = i == wrecked ? 1 : 0;
        }
    };
    for (int wrecked : {-1, 0, OPPONENT_COUNT - 1}) {
        spreadOut(wrecked);
        const Screen s = mapOver(0.0f);
        const int player = dotPixels(s, gPlayer.position, TRACK_MAP_PLAYER_COLOR);
        for (int i = 0; i < OPPONENT_COUNT; ++i) {
            const ColorCode color = COLOR_BLUE + i;
            if (i == wrecked) {
                EXPECT_EQ(s.count(0, 0, 1024, 768, inColor(color)), 0) << "wrecked " << i;
                continue;
            }
            const int dot = dotPixels(s, gOpponents[i].position, color);
            EXPECT_GE(dot, 12) << "opponent " << i << ", wrecked " << wrecked;
            EXPECT_GT(player, 2 * dot) << "opponent " << i << ", wrecked " << wrecked;
        }
    }
    // The track grown in place: once told, the map fits it as it did before.
    const Screen before = mapOver(0.0f);
    gTrack.radius = 2 * radius_;
    trackMapTrackChanged();
    spreadOut(OPPONENT_COUNT - 1);
    EXPECT_TRUE(mapOver(0.0f) == before);
}

}  // namespace
