// What each drawing routine leaves behind in OpenGL, and what it puts on screen,
// checked with small solid textures made here.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "craft/player.h"
#include "images/texture.h"
#include "images/texture_ids.h"
#include "render/projection.h"
#include "render/scene.h"
#include "render/skybox.h"
#include "render/track_draw.h"
#include "support/gl_state.h"
#include "support/gl_test_window.h"
#include "support/screen.h"
#include "support/solid_texture.h"
#include "track/track.h"
#include "track/track_geometry.h"

using namespace testsupport;

namespace {

constexpr std::array<std::array<uint8_t, 3>, TEXTURE_COUNT> TEST_COLOURS = {{
    {255, 0, 0},
    {0, 255, 0},
    {0, 0, 255},
    {255, 255, 0},
    {255, 0, 255},
    {0, 255, 255},
    {255, 128, 0},
    {128, 0, 255},
    {0, 128, 255},
    {255, 0, 128},
    {128, 255, 0},
    {10, 10, 10},
    {20, 20, 20},
    {30, 30, 30},
    {40, 40, 40},
    {50, 50, 50},
    {60, 60, 60},
}};

// Swaps in a table of solid textures and puts the game's back afterwards.
class DrawingState : public testing::Test {
protected:
    void SetUp() override {
        useSharedGlTestWindow();
        std::copy(std::begin(gTextures), std::end(gTextures), saved_.begin());
        for (int i = 0; i < TEXTURE_COUNT; ++i) {
            const auto& c = TEST_COLOURS[static_cast<size_t>(i)];
            gTextures[i] = solidTexture(c[0], c[1], c[2]);
        }
        savedPlayer_ = gPlayer.position;
        savedLambda_ = gPlayer.lambda;
        loadGameProjection();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClearDepth(1.0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    void TearDown() override {
        glDeleteTextures(TEXTURE_COUNT, gTextures);
        std::copy(saved_.begin(), saved_.end(), std::begin(gTextures));
        gPlayer.position = savedPlayer_;
        gPlayer.lambda = savedLambda_;
        glEnable(GL_LIGHTING);
        glEnable(GL_DEPTH_TEST);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_CULL_FACE);
    }

    std::array<uint32_t, TEXTURE_COUNT> saved_{};
    Vector3 savedPlayer_;
    double savedLambda_ = 0.0;
};

Pixel centrePixel() {
    const Screen screen;
    return screen.at(screen.width() / 2, screen.height() / 2);
}

void expectColour(const Pixel& pixel, int r, int g, int b, int tolerance = 3) {
    EXPECT_NEAR(pixel[0], r, tolerance);
    EXPECT_NEAR(pixel[1], g, tolerance);
    EXPECT_NEAR(pixel[2], b, tolerance);
}

void drawGameSkybox() {
    drawSkybox(0.0f, SKYBOX_CENTRE_Y, 0.0f, SKYBOX_WIDTH, SKYBOX_HEIGHT, SKYBOX_LENGTH);
}

TEST_F(DrawingState, SkyboxPutsLightingAndDepthBackOnAndLeavesTexturingAndCullingOff) {
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
    drawGameSkybox();
    EXPECT_TRUE(isEnabled(GL_LIGHTING));
    EXPECT_TRUE(isEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(isEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(isEnabled(GL_CULL_FACE));
    EXPECT_EQ(static_cast<GLuint>(integerState(GL_TEXTURE_BINDING_2D)), gTextures[TEX_SKY_RIGHT]);
    EXPECT_EQ(floats4(GL_CURRENT_COLOR), (std::array<GLfloat, 4>{1, 1, 1, 1}));
    std::array<GLfloat, 4> diffuse{};
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse.data());
    EXPECT_EQ(diffuse, (std::array<GLfloat, 4>{1, 1, 1, 1}));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(DrawingState, SkyboxShowsEachFaceInItsDirectionAndWritesNoDepth) {
    struct Look {
        double dx, dy, dz, ux, uz;
        int texture;
    };
    const Look looks[] = {
        {1, 0, 0, 0, 0, TEX_SKY_RIGHT}, {-1, 0, 0, 0, 0, TEX_SKY_LEFT},
        {0, 0, 1, 0, 0, TEX_SKY_FRONT}, {0, 0, -1, 0, 0, TEX_SKY_BACK},
        {0, 1, 0, 0, 1, TEX_SKY_TOP},   {0, -1, 0, 0, 1, TEX_SKY_BOTTOM},
    };
    // From a point on the track, at the craft's height.
    const double ex = -100000.0, ey = 40.0, ez = 300000.0;
    for (const Look& look : looks) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        gluLookAt(ex, ey, ez, ex + look.dx, ey + look.dy, ez + look.dz, look.ux,
                  look.ux == 0 && look.uz == 0 ? 1 : 0, look.uz);
        drawGameSkybox();
        const auto& c = TEST_COLOURS[static_cast<size_t>(look.texture)];
        SCOPED_TRACE(look.texture);
        expectColour(centrePixel(), c[0], c[1], c[2]);
        GLfloat depth = 0.0f;
        glReadPixels(512, 384, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
        EXPECT_EQ(depth, 1.0f);
    }
}

TEST_F(DrawingState, TrackLeavesTexturingOffTheLeftWallBoundAndLightGrey) {
    placePlayerOnStartLine(gPlayer);
    gPlayer.lambda = 0.0;
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    glDepthMask(GL_TRUE);
    gluLookAt(1, 2, 3, 0, 0, 0, 0, 1, 0);
    const auto before = [] {
        std::array<GLfloat, 16> m{};
        glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
        return m;
    }();
    const GLint depthBefore = integerState(GL_MODELVIEW_STACK_DEPTH);
    drawTrack(gTrack, gPlayer.position, gPlayer.lambda);
    EXPECT_FALSE(isEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(isEnabled(GL_CULL_FACE));
    EXPECT_TRUE(isEnabled(GL_LIGHTING));
    EXPECT_TRUE(isEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(isEnabled(GL_BLEND));
    EXPECT_EQ(integerState(GL_BLEND_SRC), GL_ONE);
    EXPECT_EQ(integerState(GL_BLEND_DST), GL_ZERO);
    EXPECT_EQ(integerState(GL_DEPTH_WRITEMASK), GL_TRUE);
    EXPECT_EQ(static_cast<GLuint>(integerState(GL_TEXTURE_BINDING_2D)), gTextures[TEX_WALL_LEFT]);
    EXPECT_EQ(floats4(GL_CURRENT_COLOR), (std::array<GLfloat, 4>{0.75f, 0.75f, 0.75f, 1.0f}));
    std::array<GLfloat, 4> diffuse{};
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse.data());
    EXPECT_EQ(diffuse, (std::array<GLfloat, 4>{0.75f, 0.75f, 0.75f, 1.0f}));
    std::array<GLfloat, 16> after{};
    glGetFloatv(GL_MODELVIEW_MATRIX, after.data());
    EXPECT_EQ(after, before);
    EXPECT_EQ(integerState(GL_MODELVIEW_STACK_DEPTH), depthBefore);

    glDisable(GL_LIGHTING);
    drawTrack(gTrack, gPlayer.position, gPlayer.lambda);
    EXPECT_FALSE(isEnabled(GL_LIGHTING));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(DrawingState, RoadFacesUpwardsWithItsTextureEvenThoughItIsWoundClockwise) {
    placePlayerOnStartLine(gPlayer);
    gPlayer.lambda = 0.0;
    // Unlit, so the picture is exactly texture times light grey.
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    const double t = 0.05;
    const double x = gTrack.centreX(t), z = gTrack.centreZ(t);
    gluLookAt(x, 250.0, z, x, -2.0, z, 1, 0, 0);
    drawTrack(gTrack, gPlayer.position, gPlayer.lambda);
    expectColour(centrePixel(), 191, 0, 0);
    glEnable(GL_BLEND);
}

TEST_F(DrawingState, TexturedQuadMapsItsFourCornersAndSwitchesTexturingOff) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 1, 0, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    // Texel rows bottom first: red, green / blue, white.
    const uint8_t texels[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glColor4f(1, 1, 1, 1);
    drawTexturedQuad({0, 1, 0}, {0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0, 1});
    EXPECT_FALSE(isEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(floats4(GL_CURRENT_NORMAL)[2], 1.0f);
    const Screen screen;
    expectColour(screen.at(100, screen.height() - 100), 255, 0, 0);  // (0, 0) bottom left
    expectColour(screen.at(screen.width() - 100, screen.height() - 100), 0, 255, 0);
    expectColour(screen.at(100, 100), 0, 0, 255);  // (0, 1) top left
    expectColour(screen.at(screen.width() - 100, 100), 255, 255, 255);
    glDeleteTextures(1, &name);
    glEnable(GL_BLEND);
}

// How many polygons a call sends down, counted in feedback mode.
int polygonsDrawn(float distance) {
    std::vector<GLfloat> buffer(1 << 16);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    drawMarkerSphere(distance, START_POST_RADIUS);
    const GLint used = glRenderMode(GL_RENDER);
    int polygons = 0;
    for (GLint i = 0; i < used;) {
        const auto token = static_cast<GLint>(buffer[static_cast<size_t>(i)]);
        if (token == GL_POLYGON_TOKEN) {
            const auto n = static_cast<GLint>(buffer[static_cast<size_t>(i) + 1]);
            ++polygons;
            i += 2 + n * 3;
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            i += 2;
        } else {
            ADD_FAILURE() << "unexpected feedback token " << token;
            break;
        }
    }
    return polygons;
}

TEST_F(DrawingState, StartPostsLoseDetailWithDistanceAndVanishFrom20000) {
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    gluLookAt(0, 0, 500, 0, 0, 0, 0, 1, 0);
    const int near = polygonsDrawn(100.0f);
    const int mid = polygonsDrawn(3000.0f);
    const int far = polygonsDrawn(7000.0f);
    const int farthest = polygonsDrawn(19999.0f);
    EXPECT_GT(near, mid);
    EXPECT_GT(mid, far);
    EXPECT_GT(far, farthest);
    EXPECT_GT(farthest, 0);
    EXPECT_EQ(polygonsDrawn(20000.0f), 0);
}

TEST_F(DrawingState, LightsAreFixedInTheWorldAboveTheCraftAndOverhead) {
    placePlayerOnStartLine(gPlayer);
    placeLights();
    std::array<GLfloat, 4> riding{};
    std::array<GLfloat, 4> overhead{};
    glGetLightfv(GL_LIGHT0, GL_POSITION, riding.data());
    glGetLightfv(GL_LIGHT1, GL_POSITION, overhead.data());
    EXPECT_EQ(riding, (std::array<GLfloat, 4>{static_cast<float>(gTrack.centreX(0.0)), 140.0f,
                                              static_cast<float>(gTrack.centreZ(0.0)), 1.0f}));
    EXPECT_EQ(overhead, (std::array<GLfloat, 4>{0.0f, 1000.0f, 0.0f, 0.0f}));

    // Given under a camera, the positions are kept in that camera's eye space.
    gluLookAt(0, 0, 0, 1, 0, 0, 0, 1, 0);
    placeLights();
    glGetLightfv(GL_LIGHT1, GL_POSITION, overhead.data());
    EXPECT_NEAR(overhead[1], 1000.0f, 1e-3f);
    EXPECT_EQ(overhead[3], 0.0f);
}

}  // namespace
