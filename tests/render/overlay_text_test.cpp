#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "hud/overlay.h"
#include "screen/overlay_glyphs.h"
#include "support/gl_state.h"
#include "support/gl_test_window.h"
#include "support/screen.h"

using testsupport::integerState;
using testsupport::Screen;

namespace {
// A text in red at (x, y) on a black screen, as the HUD prints it.
Screen printed(float x, float y, const char* text) {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    beginOverlay();
    glColor3f(1.0f, 0.0f, 0.0f);
    printAt(x, y, "%s", text);
    endOverlay();
    return Screen();
}
}  // namespace

TEST(OverlayFont, MakesOneGlyphTexturePerHeightAndPutsThePixelUnpackingBack) {
    testsupport::GlTestWindow window;
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 7);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 2);
    createOverlayFont(rasterizeOverlayGlyphs());
    for (const int pixels : {12, 18, 24, 36}) {
        const OverlayFont::Atlas& atlas = overlayAtlas(pixels);
        ASSERT_NE(atlas.texture, 0u) << pixels;
        EXPECT_TRUE(glIsTexture(atlas.texture));
        ASSERT_EQ(atlas.glyphs.size(), static_cast<size_t>(OVERLAY_CHAR_COUNT));
        // The mono face steps on by about six tenths of its height.
        EXPECT_NEAR(atlas.advance, 0.6f * pixels, 1.0f) << pixels;
        EXPECT_EQ(&overlayAtlas(pixels), &atlas) << "made once";
    }
    EXPECT_EQ(integerState(GL_UNPACK_ROW_LENGTH), 7);
    EXPECT_EQ(integerState(GL_UNPACK_ALIGNMENT), 2);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(OverlayFont, TextStandsOnItsBaselineTwelvePixelsHighSevenAcross) {
    testsupport::GlTestWindow window;
    createOverlayFont(rasterizeOverlayGlyphs());
    const Screen screen = printed(100.0f, 200.0f, "HHHH");
    const auto box = screen.bounds(testsupport::isRed);
    ASSERT_GE(box[2], 0) << "nothing was drawn";
    EXPECT_GE(box[0], 100);
    EXPECT_LE(box[0], 102);
    EXPECT_GE(box[2] - box[0] + 1, 24);  // four fixed-pitch letters
    EXPECT_LE(box[2] - box[0] + 1, 30);
    EXPECT_EQ(box[3], 199);  // y grows downwards; letters rise from the baseline
    EXPECT_GE(box[3] - box[1] + 1, 7);
    EXPECT_LE(box[3] - box[1] + 1, 12);
}

TEST(OverlayFont, GlyphsAreTheRightWayUpAndDistinct) {
    testsupport::GlTestWindow window;
    createOverlayFont(rasterizeOverlayGlyphs());
    // A T has its bar on top: the top row is wider than the bottom row.
    const Screen t = printed(100.0f, 200.0f, "T");
    const auto box = t.bounds(testsupport::isRed);
    ASSERT_GE(box[2], 0);
    const int top = t.count(95, box[1], 115, box[1] + 1, testsupport::isRed);
    const int bottom = t.count(95, box[3], 115, box[3] + 1, testsupport::isRed);
    EXPECT_GT(top, bottom + 2);
    EXPECT_FALSE(printed(100.0f, 200.0f, "1") == printed(100.0f, 200.0f, "7"));
    EXPECT_FALSE(printed(100.0f, 200.0f, "1.") == printed(100.0f, 200.0f, "1"));
}

TEST(OverlayFont, NullFormatNewlineAndCodesWithoutGlyphsDrawNothing) {
    testsupport::GlTestWindow window;
    createOverlayFont(rasterizeOverlayGlyphs());
    const auto nothingRed = [](const Screen& s) {
        return s.count(0, 0, 1024, 768, testsupport::isRed);
    };
    EXPECT_EQ(nothingRed(printed(100.0f, 200.0f, "\n")), 0);
    EXPECT_EQ(nothingRed(printed(100.0f, 200.0f, "\xc8\x01")), 0);

    glClear(GL_COLOR_BUFFER_BIT);
    beginOverlay();
    glColor3f(1.0f, 0.0f, 0.0f);
    // Through a pointer, as a caller with a computed format would reach it.
    void (*print)(float, float, const char*, ...) = printAt;
    print(100.0f, 200.0f, nullptr);
    endOverlay();
    EXPECT_EQ(nothingRed(Screen()), 0);
    // The clock text keeps its newline; it prints like the text without it.
    EXPECT_TRUE(printed(100.0f, 200.0f, " 1: 5:7\n") == printed(100.0f, 200.0f, " 1: 5:7"));
}

TEST(OverlayFont, ALongTextIsCutNotOverrun) {
    testsupport::GlTestWindow window;
    createOverlayFont(rasterizeOverlayGlyphs());
    const std::string longText(1000, 'W');
    const Screen screen = printed(0.0f, 20.0f, longText.c_str());
    EXPECT_GT(screen.count(0, 0, 1024, 40, testsupport::isRed), 1000);
}

TEST(Overlay, BeginSwitchesTo2DAndEndPutsTheSceneStateBack) {
    testsupport::GlTestWindow window;
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glEnable(GL_LIGHTING);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glTranslatef(1.0f, 2.0f, 3.0f);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glScalef(2.0f, 2.0f, 2.0f);
    const GLint projectionDepth = integerState(GL_PROJECTION_STACK_DEPTH);
    const GLint modelviewDepth = integerState(GL_MODELVIEW_STACK_DEPTH);

    beginOverlay();
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    std::array<GLfloat, 16> m{};
    glGetFloatv(GL_PROJECTION_MATRIX, m.data());
    EXPECT_FLOAT_EQ(m[0], 2.0f / 1024.0f);
    EXPECT_FLOAT_EQ(m[5], -2.0f / 768.0f);  // y grows downwards
    std::array<GLfloat, 4> colour{};
    glGetFloatv(GL_CURRENT_COLOR, colour.data());
    EXPECT_EQ(colour, (std::array<GLfloat, 4>{0.0f, 0.0f, 1.0f, 1.0f}));
    endOverlay();

    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_EQ(integerState(GL_PROJECTION_STACK_DEPTH), projectionDepth);
    EXPECT_EQ(integerState(GL_MODELVIEW_STACK_DEPTH), modelviewDepth);
    EXPECT_EQ(integerState(GL_MATRIX_MODE), GL_MODELVIEW);
    glGetFloatv(GL_PROJECTION_MATRIX, m.data());
    EXPECT_FLOAT_EQ(m[12], 1.0f);
    EXPECT_FLOAT_EQ(m[14], 3.0f);
    glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
    EXPECT_FLOAT_EQ(m[0], 2.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
