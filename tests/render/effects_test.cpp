#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>

#include "craft/exhaust_glow.h"
#include "craft/player.h"
#include "craft/projectile.h"
#include "hud/hud.h"
#include "images/texture.h"
#include "images/texture_ids.h"
#include "race/race.h"
#include "race/standings.h"
#include "render/projection.h"
#include "render/shadow.h"
#include "support/gl_state.h"
#include "support/gl_test_window.h"
#include "support/saved_race.h"
#include "support/screen.h"
#include "support/solid_texture.h"

using testsupport::integerState;
using testsupport::Pixel;
using testsupport::Screen;
using testsupport::solidTexture;

namespace {
// The state the scene keeps between drawing routines.
void sceneState() {
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_CULL_FACE);
}

// Looking straight down at the origin, one world unit per pixel, world x to
// the right and world -z up the screen.
void lookDown() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-512.0, 512.0, -384.0, 384.0, -5000.0, 5000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, 1000.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, -1.0);
}

void lookFrom(double x, double y, double z, double atX, double atY, double atZ) {
    loadGameProjection();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(x, y, z, atX, atY, atZ, 0.0, 1.0, 0.0);
}

void clearTo(float grey) {
    glClearColor(grey, grey, grey, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

GLenum blendSource() {
    return static_cast<GLenum>(integerState(GL_BLEND_SRC));
}
GLenum blendDestination() {
    return static_cast<GLenum>(integerState(GL_BLEND_DST));
}

class Effects : public ::testing::Test {
protected:
    void SetUp() override {
        white_ = solidTexture(255, 255, 255);
        black_ = solidTexture(0, 0, 0);
        gTextures[TEX_SHADOW] = white_;
        gTextures[TEX_FLARE] = white_;
        sceneState();
        modelviewDepth_ = integerState(GL_MODELVIEW_STACK_DEPTH);
    }
    void TearDown() override {
        EXPECT_EQ(integerState(GL_MODELVIEW_STACK_DEPTH), modelviewDepth_);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        race_.restore();
    }

    testsupport::SavedRace race_;
    testsupport::GlTestWindow window_;
    GLuint white_ = 0;
    GLuint black_ = 0;
    GLint modelviewDepth_ = 0;
};

TEST_F(Effects, AShadowDarkensTheRoadUnderTheCraftToAQuarter) {
    lookDown();
    clearTo(0.8f);
    drawShadow(Vector3(0.0, 0.0, 0.0), Vector3(140.0, 0.0, 40.0), 0.0f);
    const Screen screen;
    const Pixel under = screen.at(512, 384);
    EXPECT_NEAR(under[0], 0.8 * 0.25 * 255, 3);
    EXPECT_EQ(under[0], under[2]);
    EXPECT_EQ(screen.at(512 + 160, 384)[0], 204);  // beside it the road is untouched
    // 280 across, 80 deep.
    const auto box = screen.bounds([](const Pixel& p) { return p[0] < 100; });
    EXPECT_NEAR(box[2] - box[0] + 1, 280, 2);
    EXPECT_NEAR(box[3] - box[1] + 1, 80, 2);
}

TEST_F(Effects, AShadowTurnsWithTheCraftAndABlackTexelLeavesTheRoadAlone) {
    lookDown();
    clearTo(0.8f);
    drawShadow(Vector3(100.0, 0.0, 0.0), Vector3(140.0, 0.0, 40.0), 90.0f);
    const auto box = Screen().bounds([](const Pixel& p) { return p[0] < 100; });
    EXPECT_NEAR(box[2] - box[0] + 1, 80, 2);
    EXPECT_NEAR(box[3] - box[1] + 1, 280, 2);
    EXPECT_NEAR((box[0] + box[2]) / 2.0, 612, 2);

    gTextures[TEX_SHADOW] = black_;
    clearTo(0.8f);
    drawShadow(Vector3(0.0, 0.0, 0.0), Vector3(90.0, 0.0, 90.0), 0.0f);
    EXPECT_EQ(Screen().count(0, 0, 1024, 768, [](const Pixel& p) { return p[0] != 204; }), 0);
}

TEST_F(Effects, AShadowHidesNothingDrawnLaterAndPutsItsStateBack) {
    lookDown();
    clearTo(0.8f);
    GLfloat depthBefore = 0.0f;
    glReadPixels(512, 384, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depthBefore);
    drawShadow(Vector3(0.0, 0.0, 0.0), Vector3(90.0, 0.0, 90.0), 0.0f);
    GLfloat depthAfter = 0.0f;
    glReadPixels(512, 384, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depthAfter);
    EXPECT_EQ(depthBefore, depthAfter);

    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(blendSource(), static_cast<GLenum>(GL_ONE));
    EXPECT_EQ(blendDestination(), static_cast<GLenum>(GL_ONE_MINUS_SRC_ALPHA));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(integerState(GL_DEPTH_FUNC), GL_LESS);
    EXPECT_EQ(integerState(GL_DEPTH_WRITEMASK), GL_TRUE);
}

// Behind the craft at the origin heading along +x, where both nozzles show.
Screen glowWithLayers(int32_t layers) {
    lookFrom(-400.0, 100.0, 0.0, 0.0, 40.0, 0.0);
    clearTo(0.0f);
    gPlayer.position = Vector3(0.0, 40.0, 0.0);
    gPlayer.yaw = 0.0f;
    ExhaustGlow glow;
    glow.layers = layers;
    glow.draw();
    return Screen();
}

TEST_F(Effects, TheGlowIsBlueAtOneLayerAndSwellsTowardPinkWithMore) {
    const Screen one = glowWithLayers(1);
    const Screen six = glowWithLayers(6);
    const auto lit = [](const Pixel& p) { return p[2] > 0; };
    EXPECT_GT(one.count(0, 0, 1024, 768, lit), 200);
    EXPECT_EQ(one.count(0, 0, 1024, 768, [](const Pixel& p) { return p[0] > 0; }), 0);
    EXPECT_GT(six.count(0, 0, 1024, 768, [](const Pixel& p) { return p[0] > 60; }), 100);
    EXPECT_GT(six.meanBrightness(0, 0, 1024, 768), 2.0 * one.meanBrightness(0, 0, 1024, 768));
    // Two nozzles, left and right of the craft's centre line on screen.
    EXPECT_GT(one.count(0, 0, 512, 768, lit), 50);
    EXPECT_GT(one.count(512, 0, 1024, 768, lit), 50);
}

TEST_F(Effects, TheGlowShowsThroughWhatIsInFrontAndPutsItsStateBack) {
    lookFrom(-400.0, 100.0, 0.0, 0.0, 40.0, 0.0);
    clearTo(0.0f);
    // A dark wall between the camera and the craft, written to the depth buffer.
    glDisable(GL_LIGHTING);
    glColor3f(0.0f, 0.0f, 0.0f);
    glBegin(GL_QUADS);
    glVertex3f(-200.0f, -500.0f, -500.0f);
    glVertex3f(-200.0f, -500.0f, 500.0f);
    glVertex3f(-200.0f, 500.0f, 500.0f);
    glVertex3f(-200.0f, 500.0f, -500.0f);
    glEnd();
    glEnable(GL_LIGHTING);
    gPlayer.position = Vector3(0.0, 40.0, 0.0);
    gExhaust.layers = 3;
    gExhaust.draw();
    EXPECT_GT(Screen().count(0, 0, 1024, 768, [](const Pixel& p) { return p[2] > 0; }), 200);

    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(blendSource(), static_cast<GLenum>(GL_SRC_ALPHA));
    EXPECT_EQ(blendDestination(), static_cast<GLenum>(GL_ONE_MINUS_SRC_ALPHA));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
}

Screen shotAtFrame(int32_t frame) {
    lookFrom(0.0, 0.0, 500.0, 0.0, 0.0, 0.0);
    clearTo(0.0f);
    gFrameCounter = frame;
    Projectile shot;
    shot.position = Vector3(0.0, 0.0, 0.0);
    shot.active = 1;
    shot.draw();
    return Screen();
}
const auto redFlare = [](const Pixel& p) { return p[0] > 200 && p[2] < 50; };
const auto blueFlare = [](const Pixel& p) { return p[2] > 200 && p[0] < 50; };

TEST_F(Effects, TheShotIsARedAndABlueFlareCrossedAndSpinning) {
    // Unturned, the red flare faces the camera and the blue one stands edge on.
    const Screen still = shotAtFrame(0);
    const auto box = still.bounds(redFlare);
    ASSERT_GE(box[2], 0);
    const double across = box[3] - box[1] + 1;
    // 80 units high seen from 500 units with a 40 degree view, 768 pixels high.
    EXPECT_NEAR(across, 80.0 / (2.0 * 500.0 * std::tan(20.0 * M_PI / 180.0)) * 768.0, 3.0);
    EXPECT_LT(still.count(0, 0, 1024, 768, blueFlare), 3 * across);

    const Screen turned = shotAtFrame(1);
    EXPECT_GT(turned.count(0, 0, 1024, 768, redFlare), 300);
    EXPECT_GT(turned.count(0, 0, 1024, 768, blueFlare), 300);
    EXPECT_FALSE(turned == shotAtFrame(2));
    EXPECT_TRUE(still == shotAtFrame(9));  // 360 degrees on
}

TEST_F(Effects, TheShotAddsLightAndPutsItsStateBack) {
    lookFrom(0.0, 0.0, 500.0, 0.0, 0.0, 0.0);
    clearTo(0.5f);
    Projectile shot;
    shot.draw();
    const Pixel centre = Screen().at(512, 384);
    EXPECT_EQ(centre[0], 255);
    EXPECT_NEAR(centre[1], 128, 2);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(blendSource(), static_cast<GLenum>(GL_SRC_ALPHA));
    EXPECT_EQ(blendDestination(), static_cast<GLenum>(GL_ONE_MINUS_SRC_ALPHA));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
}

TEST_F(Effects, ThePositionDigitShowsThePlacesOwnImage) {
    const Pixel colours[6] = {{255, 0, 0},   {0, 255, 0},   {0, 0, 255},
                              {255, 255, 0}, {0, 255, 255}, {255, 0, 255}};
    for (int place = 1; place <= 6; ++place) {
        const Pixel& c = colours[place - 1];
        gTextures[TEX_NUM_1 + place - 1] = solidTexture(c[0], c[1], c[2]);
        EXPECT_EQ(positionIndicatorTexture(place), 10 + place);
    }
    EXPECT_EQ(positionIndicatorTexture(0), -1);
    EXPECT_EQ(positionIndicatorTexture(7), -1);
    for (int place = 1; place <= 6; ++place) {
        clearTo(0.0f);
        sceneState();
        glDisable(GL_LIGHTING);  // so the image shows untinted
        gRacePosition = place;
        drawPositionIndicator();
        const Screen screen;
        EXPECT_EQ(screen.at(921, 77), colours[place - 1]) << "place " << place;
        // The quad spans x 870..973 and y 27..127 from the top.
        const auto box = screen.bounds(testsupport::isLit);
        EXPECT_NEAR(box[0], 870, 1);
        EXPECT_NEAR(box[2], 973, 1);
        EXPECT_NEAR(box[1], 27, 1);
        EXPECT_NEAR(box[3], 127, 1);
    }
    gRacePosition = 0;
}

TEST_F(Effects, BeforeTheFirstRefreshNoDigitIsDrawn) {
    gTextures[TEX_SKY_BOTTOM] = white_;  // what place 0 would have picked
    clearTo(0.0f);
    gRacePosition = 0;
    drawPositionIndicator();
    EXPECT_EQ(Screen().count(0, 0, 1024, 768, testsupport::isLit), 0);
}

TEST_F(Effects, ThePositionDigitAddsLightAndPutsItsStateBack) {
    gTextures[TEX_NUM_1 + 2] = white_;
    clearTo(0.0f);
    glDisable(GL_LIGHTING);
    gRacePosition = 3;
    drawPositionIndicator();
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(blendSource(), static_cast<GLenum>(GL_SRC_ALPHA));
    EXPECT_EQ(blendDestination(), static_cast<GLenum>(GL_ONE_MINUS_SRC_ALPHA));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    std::array<GLfloat, 16> m{};
    glGetFloatv(GL_PROJECTION_MATRIX, m.data());
    EXPECT_EQ(m, (std::array<GLfloat, 16>{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
    EXPECT_EQ(integerState(GL_MATRIX_MODE), GL_MODELVIEW);
    gRacePosition = 0;
}

}  // namespace
