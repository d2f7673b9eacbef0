// Each opponent shows in the picture in the colour of its dot on the map, and
// the ghost's dot is a colour no opponent has.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "craft/opponent.h"
#include "hud/track_map.h"
#include "models/palette.h"
#include "render/craft_draw.h"
#include "render/projection.h"
#include "render/scene.h"
#include "support/scene_window.h"
#include "support/screen.h"
#include "track/track.h"

using testsupport::Pixel;
using testsupport::Screen;

namespace {
uint32_t stoppedColourClock() {
    return 100000;
}

// The colour's share of each channel, so a dim red and a bright one match.
std::array<double, 3> hueOf(double r, double g, double b) {
    const double length = std::sqrt(r * r + g * g + b * b);
    return {r / length, g / length, b / length};
}

double likeness(const std::array<double, 3>& a, const std::array<double, 3>& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

std::array<double, 3> hueOf(ColorCode code) {
    const Rgba c = lookupColor(code);
    return hueOf(c[0], c[1], c[2]);
}

class CraftColours : public testsupport::SceneWindowTest {
protected:
    static void SetUpTestSuite() {
        openSceneWindow(stoppedColourClock, Frames::KeptInBackBuffer, 1);
    }
    static void TearDownTestSuite() { closeSceneWindow(); }
    void TearDown() override {
        raceAtStart().restore();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
};

TEST_F(CraftColours, EachOpponentLooksTheColourOfItsDotSeenFromThePlayersSeat) {
    const Vector3 ahead(gTrack.centreX(0.0), 40.0, gTrack.centreZ(0.0));
    for (int i = 0; i < OPPONENT_COUNT; ++i) {
        SCOPED_TRACE("opponent " + std::to_string(i));
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        loadGameProjection();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        // From behind and a little above, where the player sees them.
        gluLookAt(ahead.x - 600.0, ahead.y + 150.0, ahead.z, ahead.x, ahead.y, ahead.z, 0.0, 1.0,
                  0.0);
        gPlayer.position = Vector3(ahead.x - 600.0, ahead.y, ahead.z);
        placeLights();
        gOpponents[i].position = ahead;
        drawOpponentCraft(gOpponents[i], COLOR_BLUE + i);
        const Screen s;
        double r = 0.0, g = 0.0, b = 0.0;
        int lit = 0;
        for (int y = 0; y < s.height(); ++y) {
            for (int x = 0; x < s.width(); ++x) {
                const Pixel p = s.at(x, y);
                if (p[0] + p[1] + p[2] > 0) {
                    r += p[0];
                    g += p[1];
                    b += p[2];
                    ++lit;
                }
            }
        }
        ASSERT_GT(lit, 500);
        const std::array<double, 3> seen = hueOf(r, g, b);
        for (int other = 0; other < OPPONENT_COUNT; ++other) {
            if (other != i) {
                EXPECT_GT(likeness(seen, hueOf(COLOR_BLUE + i)),
                          likeness(seen, hueOf(COLOR_BLUE + other)))
                    << "looks more like opponent " << other << "'s dot";
            }
        }
    }
}

TEST(MapDots, TheGhostsDotIsNoOpponentsColour) {
    for (int i = 0; i < OPPONENT_COUNT; ++i) {
        const Rgba ghost = lookupColor(TRACK_MAP_GHOST_COLOR);
        const Rgba opponent = lookupColor(COLOR_BLUE + i);
        double apart = 0.0;
        for (int channel = 0; channel < 3; ++channel) {
            apart += std::abs(ghost[channel] - opponent[channel]);
        }
        // Summed over the channels, a third of the way from black to white
        // (the blue opponent's and the old pale blue were a fifth apart).
        EXPECT_GE(apart, 1.0) << "opponent " << i;
    }
}

}  // namespace
